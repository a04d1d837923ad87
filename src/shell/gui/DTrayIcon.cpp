#include "shell/gui/DTrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "shell/gui/DText.h"

AStr DTrayIcon::CutTip(const AStr& tip) {
    std::string s(tip.c_str());
    if (s.size() > kMaxTip) s.resize(kMaxTip);
    return AStr(s.c_str());
}

bool DTrayIcon::Call(DWORD what, HICON icon) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the tip field of 64 characters
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callback_;
    data.hIcon = icon;
    std::wstring tip = WideText(tip_.c_str());
    size_t n = std::min(tip.size(), static_cast<size_t>(63));
    tip.copy(data.szTip, n);
    data.szTip[n] = L'\0';
    return Shell_NotifyIconW(what, &data) != FALSE;
}

bool DTrayIcon::Add(HWND window, UINT callbackMessage, HICON icon, const AStr& tip) {
    Delete();
    window_ = window;
    callback_ = callbackMessage;
    tip_ = CutTip(tip);
    // Without a task bar (a bare session) the icon is kept as added all the
    // same: the window still hides and restores through it.
    Call(NIM_ADD, icon);
    return true;
}

bool DTrayIcon::SetIcon(HICON icon) {
    return window_ && Call(NIM_MODIFY, icon);
}

void DTrayIcon::Delete() {
    if (!window_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
    window_ = nullptr;
}
