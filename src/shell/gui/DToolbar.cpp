#include "shell/gui/DToolbar.h"

#include <commctrl.h>

bool DToolbar::Create(const DToolbarArgs& a) {
    if (hwnd_) return false;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    hwnd_ =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT |
                            CCS_TOP | CCS_NODIVIDER,
                        0, 0, 0, 0, a.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)),
                        a.instance, nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(a.cellWidth, a.cellHeight));
    // Without a colour map the four greys map to the system colours.
    bitmap_ = CreateMappedBitmap(a.instance, a.bitmapId, 0, nullptr, 0);
    if (bitmap_) {
        BITMAP info{};
        GetObjectW(bitmap_, sizeof info, &info);
        TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap_)};
        SendMessageW(hwnd_, TB_ADDBITMAP, a.cellWidth ? info.bmWidth / a.cellWidth : 0,
                     reinterpret_cast<LPARAM>(&add));
    }
    std::vector<TBBUTTON> buttons;
    for (const DToolButton& b : a.buttons) {
        TBBUTTON tb{};
        tb.iBitmap = b.command ? b.image : 0;
        tb.idCommand = b.command;
        tb.fsState = TBSTATE_ENABLED;
        tb.fsStyle = b.command ? BTNS_BUTTON : BTNS_SEP;
        buttons.push_back(tb);
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Fit();
    return true;
}

void DToolbar::Destroy() {
    DGadget::Destroy();
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
}

void DToolbar::Fit() {
    if (hwnd_) SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
}

std::vector<int> DToolbar::Commands() const {
    std::vector<int> ids;
    int n = hwnd_ ? static_cast<int>(SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0)) : 0;
    for (int i = 0; i < n; ++i) {
        TBBUTTON tb{};
        if (SendMessageW(hwnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&tb)) && tb.idCommand)
            ids.push_back(tb.idCommand);
    }
    return ids;
}

void DToolbar::EnableButton(int command, bool on) {
    if (hwnd_) SendMessageW(hwnd_, TB_ENABLEBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
}

void DToolbar::CheckButton(int command, bool on) {
    if (hwnd_) SendMessageW(hwnd_, TB_CHECKBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
}

bool DToolbar::IsButtonEnabled(int command) const {
    return hwnd_ && SendMessageW(hwnd_, TB_ISBUTTONENABLED, command, 0) != 0;
}
