#pragma once
// One icon in the notification area, owned by a window: added, changed and
// removed; mouse events come to the window as its callback message with
// the mouse message in lParam.
#include <windows.h>

#include "framework/AStr.h"

class DTrayIcon {
  public:
    // The tip is cut to this many characters.
    static constexpr size_t kMaxTip = 63;

    DTrayIcon() = default;
    ~DTrayIcon() { Delete(); }
    DTrayIcon(const DTrayIcon&) = delete;
    DTrayIcon& operator=(const DTrayIcon&) = delete;

    // The icon handle is the caller's; it is only shown.
    bool Add(HWND window, UINT callbackMessage, HICON icon, const AStr& tip);
    bool SetIcon(HICON icon);
    void Delete();
    bool IsAdded() const { return window_ != nullptr; }
    // The tip as it was handed to the system.
    const AStr& Tip() const { return tip_; }

    static AStr CutTip(const AStr& tip);

  private:
    bool Call(DWORD what, HICON icon);
    HWND window_ = nullptr;
    UINT callback_ = 0;
    AStr tip_;
};
