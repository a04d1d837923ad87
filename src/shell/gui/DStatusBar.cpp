#include "shell/gui/DStatusBar.h"

#include <commctrl.h>

#include <vector>

#include "shell/gui/DText.h"

bool DStatusBar::Create(HWND parent, int id, HINSTANCE instance) {
    if (hwnd_) return false;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                            0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            instance, nullptr);
    if (!hwnd_) return false;
    int right = -1;  // one part to the right edge
    SendMessageW(hwnd_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
    return true;
}

void DStatusBar::Fit() {
    if (hwnd_) SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

AStr DStatusBar::Text() const {
    if (!hwnd_) return AStr();
    LRESULT length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, 0, 0));
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.back() = L'\0';
    return NarrowText(text.data());
}

bool DStatusBar::SetText(const AStr& text) {
    if (!hwnd_ || Text() == text) return false;
    SendMessageW(hwnd_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideText(text.c_str()).c_str()));
    return true;
}
