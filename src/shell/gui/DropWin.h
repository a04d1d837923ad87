#pragma once
// An OLE drop target for a window: what the user drags over the window is
// offered to the owner, which says which formats it takes. The text of a
// dropped object is read from global memory, bounded by the block's size.
// By default a text format is taken with the link effect; an owner that
// shows where a drop would land (an insertion mark) answers each move of
// the drag itself.
#include <windows.h>
#include <ole2.h>

#include <vector>

#include "framework/AStr.h"
#include "framework/BlockText.h"

class DropWin : public IDropTarget {
  public:
    // The owner's side: what it does with an accepted drop.
    class Owner {
      public:
        virtual ~Owner() = default;
        // The text of the first accepted format the object offers.
        virtual void OnDropText(const AStr& text) = 0;
        // Each move of a drag over the window (point in screen
        // coordinates): the effect to answer among the allowed ones. The
        // default takes an object offering one of the formats with the
        // link effect.
        virtual DWORD OnDragOver(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                                 DWORD allowed);
        // The drag left the window or ended.
        virtual void OnDragLeave(DropWin&) {}
        // The drop: the effect reported to the source. The default hands the
        // text to OnDropText and reports a copy.
        virtual DWORD OnDrop(DropWin& target, IDataObject* object, DWORD keys, POINTL point,
                             DWORD allowed);
    };

    // formats: the clipboard formats taken, best first, each as text in
    // global memory.
    DropWin(Owner& owner, std::vector<CLIPFORMAT> formats);
    virtual ~DropWin();
    DropWin(const DropWin&) = delete;
    DropWin& operator=(const DropWin&) = delete;

    bool Register(HWND window);
    void Revoke();

    // The first of the formats the object offers; 0 when none.
    CLIPFORMAT OfferedFormat(IDataObject* object) const;
    // The object's text in that format, at most `limit` bytes; false when
    // it cannot be read.
    static bool ReadText(IDataObject* object, CLIPFORMAT format, size_t limit, AStr* text);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* object, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* object, DWORD keys, POINTL point,
                                   DWORD* effect) override;

  private:
    void Forget();

    Owner& owner_;
    std::vector<CLIPFORMAT> formats_;
    HWND window_ = nullptr;
    IDataObject* object_ = nullptr;  // the object being dragged over the window
    LONG references_ = 1;            // held by the owner; COM references come on top
};
