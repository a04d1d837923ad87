#pragma once
// For window tests of dialogs: what does not fit in a dialog's layout.
#include <windows.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

// The layout: every text fits its control and every mnemonic is unique.
inline std::vector<std::string> LayoutFaults(HWND dialog) {
    std::vector<std::string> faults;
    std::set<wchar_t> mnemonics;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {}, text[256] = {};
        GetClassNameW(c, cls, 32);
        GetWindowTextW(c, text, 256);
        std::wstring name = cls;
        if (!text[0] || (name != L"Button" && name != L"Static")) continue;
        std::string id = std::to_string(GetDlgCtrlID(c));
        const wchar_t* amp = wcschr(text, L'&');
        wchar_t key[2] = {amp ? amp[1] : L'\0', L'\0'};
        CharLowerBuffW(key, 1);
        if (key[0] && !mnemonics.insert(key[0]).second)
            faults.push_back("mnemonic repeated by " + id);
        RECT box;
        GetClientRect(c, &box);
        LONG style = GetWindowLongW(c, GWL_STYLE);
        RECT need = {0, 0, box.right, 0};
        int room = box.right;
        if (name == L"Static") {
            DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK);
            if (need.bottom > box.bottom) faults.push_back("text cut off in " + id);
            continue;
        }
        DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
        switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                room -= 16;
                break;
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                room -= 8;
                break;
            default:
                room -= GetSystemMetrics(SM_CXMENUCHECK) + 6;
        }
        if (need.right > room) faults.push_back("text cut off in " + id);
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return faults;
}
