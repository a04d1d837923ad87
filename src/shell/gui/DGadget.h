#pragma once
// What the gadget windows of the common controls (toolbar, status bar)
// share: the handle of a child the object owns, its height, its end.
#include <windows.h>

class DGadget {
  public:
    DGadget() = default;
    virtual ~DGadget() { Destroy(); }
    DGadget(const DGadget&) = delete;
    DGadget& operator=(const DGadget&) = delete;

    HWND Handle() const { return hwnd_; }
    int Height() const {
        RECT r;
        return hwnd_ && GetWindowRect(hwnd_, &r) ? r.bottom - r.top : 0;
    }
    virtual void Destroy() {
        if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }

  protected:
    HWND hwnd_ = nullptr;
};
