#pragma once
// Dragging out of a window: a data object that holds one block of bytes per
// clipboard format and hands each out as a fresh global memory block
// (content aspect), and the drag source that runs the system's drag loop,
// ending it on Escape or when the left button is let go.
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

// One format's bytes, as the clipboard or a drag offers them.
struct DClipEntry {
    CLIPFORMAT format;
    std::string bytes;
};

class DDataObject : public IDataObject {
  public:
    // Made with one reference, which the maker releases.
    explicit DDataObject(std::vector<DClipEntry> entries);
    DDataObject(const DDataObject&) = delete;
    DDataObject& operator=(const DDataObject&) = delete;

    const std::vector<DClipEntry>& Entries() const { return entries_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDataObject: global memory in the content aspect only; no advise sinks.
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** out) override;

  protected:
    virtual ~DDataObject() = default;

  private:
    const DClipEntry* Find(const FORMATETC* format) const;

    std::vector<DClipEntry> entries_;
    LONG references_ = 1;
};

// A copy of the bytes in a moveable, shareable global memory block; null
// when there is no memory.
HGLOBAL GlobalBlockOf(const std::string& bytes);

class DragWin {
  public:
    // The drag loop: runs until the drop or the cancel and returns the
    // effect the target took (DROPEFFECT_NONE when there was none).
    using Loop = std::function<DWORD(IDataObject* data, DWORD allowed)>;

    // Drags the data allowing those effects; the window's own drop target
    // can tell by IsDragging that the drag is its own.
    DWORD DoDrag(IDataObject* data, DWORD allowed);
    bool IsDragging() const { return dragging_; }
    // Replaces the system's loop (a test plays the target's side itself).
    void SetLoop(Loop loop) { loop_ = std::move(loop); }

  private:
    bool dragging_ = false;
    Loop loop_;
};
