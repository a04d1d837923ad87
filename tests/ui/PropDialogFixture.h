#pragma once
// The property dialogs of watched objects opened in the test process with a
// language module, driven through their controls from inside their modal
// loops (WhenModal).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "lang/PropertyIds.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "support/WhenModal.h"
#include "ui/ItemPropSheet.h"

class PropDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { UseLanguage("enu"); }
    void TearDown() override { TheLanguage().SetModule(nullptr, false); }
    static void UseLanguage(const char* language) {
        AStr code(language);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
    }

    // The open sheet and its current page.
    static HWND Sheet() { return GetActiveWindow(); }
    static HWND Page() { return PropSheet_GetCurrentPageHwnd(Sheet()); }
    static void ShowPage(int index) { PropSheet_SetCurSel(Sheet(), nullptr, index); }
    static std::wstring Text(HWND dialog, int id) {
        wchar_t text[512] = {};
        GetDlgItemTextW(dialog, id, text, 512);
        return text;
    }
    static void SetText(HWND dialog, int id, const wchar_t* text) {
        SetDlgItemTextW(dialog, id, text);
    }
    static void Click(HWND dialog, int id) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    // The radio button or check box as a user clicks it.
    static void Press(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
    static bool Checked(HWND dialog, int id) {
        return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    }
    static bool Shown(HWND dialog, int id) {
        return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    // The focus is on the control (or on the edit field of a combo box).
    static bool HasFocus(HWND dialog, int id) {
        HWND control = GetDlgItem(dialog, id);
        HWND focus = GetFocus();
        return focus && (focus == control || GetParent(focus) == control);
    }
};
