// The dialog framework driven in-process: the transfer hooks, validation that
// keeps a dialog open with the focus on the refused field, modal and modeless
// runs, help, and property sheets whose opened pages give their fields back
// only on OK.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "DialogTemplate.h"
#include "shell/gui/DDialog.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DPropertySheet.h"
#include "support/WhenModal.h"

namespace {

constexpr int kNameEdit = 101;
constexpr int kFlagBox = 102;

struct Record {
    AStr name;
    bool flag = false;
};

DialogTemplate NameTemplate(DWORD style) {
    DialogTemplate t(L"Name", 160, 70, style);
    t.Add(DialogTemplate::kEdit, kNameEdit, L"", 7, 7, 140, 14, ES_AUTOHSCROLL | WS_BORDER)
        .Add(DialogTemplate::kButton, kFlagBox, L"Flag", 7, 26, 100, 10, BS_AUTOCHECKBOX)
        .Add(DialogTemplate::kButton, IDOK, L"OK", 50, 48, 50, 14, BS_DEFPUSHBUTTON)
        .Add(DialogTemplate::kButton, IDCANCEL, L"Cancel", 104, 48, 50, 14);
    return t;
}

// Edits a record; a name may not be empty.
class NameDialog : public DDialog {
  public:
    NameDialog(const DLGTEMPLATE* t, Record& record, ULONG_PTR help = 0)
        : DDialog(Args(t, help)), record_(record) {}
    int closed = 0;

  protected:
    void TransferToControls() override {
        SetItemText(kNameEdit, record_.name);
        SetChecked(kFlagBox, record_.flag);
    }
    void TransferFromControls() override {
        record_.name = ItemText(kNameEdit);
        record_.flag = IsChecked(kFlagBox);
    }
    bool Validate() override { return !ItemText(kNameEdit).IsEmpty() || RefuseField(kNameEdit); }
    void OnClosed() override { ++closed; }

  private:
    static DDialogArgs Args(const DLGTEMPLATE* t, ULONG_PTR help) {
        DDialogArgs a;
        a.indirect = t;
        a.module = GetModuleHandleW(nullptr);
        a.helpContext = help;
        return a;
    }
    Record& record_;
};

HWND ActiveDialog() {
    return GetActiveWindow();
}

void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(DDialog, ModelessValidationKeepsItOpenWithTheFocusOnTheRefusedField) {
    DialogTemplate t = NameTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    Record record{"Weather", true};
    NameDialog dialog(t.Get(), record);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    wchar_t shown[64] = {};
    GetDlgItemTextW(dialog.Handle(), kNameEdit, shown, 64);
    EXPECT_STREQ(L"Weather", shown);
    EXPECT_TRUE(dialog.IsChecked(kFlagBox));

    SetDlgItemTextW(dialog.Handle(), kNameEdit, L"");
    SetFocus(GetDlgItem(dialog.Handle(), IDOK));
    Click(dialog.Handle(), IDOK);
    ASSERT_NE(nullptr, dialog.Handle()) << "a refused field keeps the dialog open";
    EXPECT_EQ(dialog.Item(kNameEdit), GetFocus());
    EXPECT_STREQ("Weather", record.name.c_str()) << "nothing given back yet";

    // Greek is beyond the 1251 table: the record gets it as UTF-8.
    SetDlgItemTextW(dialog.Handle(), kNameEdit, L"\x041f\x043e\x0433\x043e\x0434\x0430 \x03b1");
    CheckDlgButton(dialog.Handle(), kFlagBox, BST_UNCHECKED);
    Click(dialog.Handle(), IDOK);
    EXPECT_TRUE(dialog.IsClosed());
    EXPECT_EQ(1, dialog.closed);
    EXPECT_STREQ("\xd0\x9f\xd0\xbe\xd0\xb3\xd0\xbe\xd0\xb4\xd0\xb0 \xce\xb1", record.name.c_str());
    EXPECT_FALSE(record.flag);
}

TEST(DDialog, ModalOkGivesTheFieldsBackAndCancelLeavesTheRecord) {
    DialogTemplate t = NameTemplate(WS_POPUP | WS_CAPTION);
    Record record{"\xcf\xee\xe3\xee\xe4\xe0", false};  // 1251
    NameDialog dialog(t.Get(), record);
    std::wstring seen;
    WhenModal([&] {
        HWND d = ActiveDialog();
        wchar_t shown[64] = {};
        GetDlgItemTextW(d, kNameEdit, shown, 64);
        seen = shown;
        SetDlgItemTextW(d, kNameEdit, L"News");
        CheckDlgButton(d, kFlagBox, BST_CHECKED);
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.RunModal(nullptr));
    EXPECT_EQ(L"\x041f\x043e\x0433\x043e\x0434\x0430", seen);
    EXPECT_STREQ("News", record.name.c_str());
    EXPECT_TRUE(record.flag);

    NameDialog again(t.Get(), record);
    WhenModal([&] {
        SetDlgItemTextW(ActiveDialog(), kNameEdit, L"Changed");
        Click(ActiveDialog(), IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, again.RunModal(nullptr));
    EXPECT_STREQ("News", record.name.c_str());
}

TEST(DDialog, HelpOpensTheDialogsContext) {
    DialogTemplate t = NameTemplate(WS_POPUP | WS_CAPTION);
    Record record{"x"};
    NameDialog dialog(t.Get(), record, 7);
    ULONG_PTR asked = 0;
    DHelpCall previous = SetHelpCall([&](HWND, const char*, UINT, ULONG_PTR data) {
        asked = data;
        return true;
    });
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HELPINFO info = {};
    info.cbSize = sizeof info;
    SendMessageW(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    SetHelpCall(previous);
    EXPECT_EQ(7u, asked);
}

// A page of a sheet over the same record; the flag page refuses a cleared
// flag.
class NamePage : public DPropertyPage {
  public:
    NamePage(const DLGTEMPLATE* t, Record& record, bool flagPage)
        : DPropertyPage(Args(t)), record_(record), flagPage_(flagPage) {}
    int given = 0;

  protected:
    void TransferToControls() override {
        if (flagPage_)
            SetChecked(kFlagBox, record_.flag);
        else
            SetItemText(kNameEdit, record_.name);
    }
    void TransferFromControls() override {
        ++given;
        if (flagPage_)
            record_.flag = IsChecked(kFlagBox);
        else
            record_.name = ItemText(kNameEdit);
    }
    bool Validate() override {
        if (flagPage_) return IsChecked(kFlagBox) || RefuseField(kFlagBox);
        return !ItemText(kNameEdit).IsEmpty() || RefuseField(kNameEdit);
    }

  private:
    static DDialogArgs Args(const DLGTEMPLATE* t) {
        DDialogArgs a;
        a.indirect = t;
        a.module = GetModuleHandleW(nullptr);
        return a;
    }
    Record& record_;
    bool flagPage_;
};

DialogTemplate PageTemplate(const wchar_t* caption) {
    DialogTemplate t(caption, 200, 80, WS_CHILD | WS_CAPTION | DS_CONTROL);
    t.Add(DialogTemplate::kEdit, kNameEdit, L"", 7, 7, 140, 14, ES_AUTOHSCROLL | WS_BORDER)
        .Add(DialogTemplate::kButton, kFlagBox, L"Flag", 7, 26, 100, 10, BS_AUTOCHECKBOX);
    return t;
}

DPropertySheetArgs SheetArgs() {
    DPropertySheetArgs a;
    a.title = "Properties";
    a.okText = "Take";
    a.module = GetModuleHandleW(nullptr);
    return a;
}

TEST(DPropertySheet, OkGivesBackTheOpenedPagesOnlyAfterEachValidates) {
    InitCommonControls();
    DialogTemplate first = PageTemplate(L"General");
    DialogTemplate second = PageTemplate(L"Flags");
    Record record{"Weather", true};
    NamePage general(first.Get(), record, false);
    NamePage flags(second.Get(), record, true);
    DPropertySheet sheet(SheetArgs());
    sheet.AddPage(&general);
    sheet.AddPage(&flags);
    std::wstring okText;
    bool stayedOpen = false;
    WhenModal([&] {
        HWND s = sheet.Handle();
        wchar_t text[32] = {};
        GetDlgItemTextW(s, IDOK, text, 32);
        okText = text;
        SetDlgItemTextW(general.Handle(), kNameEdit, L"");
        PropSheet_PressButton(s, PSBTN_OK);
        stayedOpen = IsWindow(s) && general.Handle() && GetFocus() == general.Item(kNameEdit);
        SetDlgItemTextW(general.Handle(), kNameEdit, L"Rain");
        PropSheet_PressButton(s, PSBTN_OK);
    });
    EXPECT_EQ(IDOK, sheet.RunModal(nullptr));
    EXPECT_EQ(L"Take", okText);
    EXPECT_TRUE(stayedOpen) << "the refused name kept the sheet and its page";
    EXPECT_STREQ("Rain", record.name.c_str());
    EXPECT_EQ(1, general.given);
    EXPECT_EQ(0, flags.given) << "a page never opened keeps the record as it was";
    EXPECT_TRUE(record.flag);
}

TEST(DPropertySheet, LeavingARefusedPageIsNotAllowedAndCancelGivesNothing) {
    DialogTemplate first = PageTemplate(L"General");
    DialogTemplate second = PageTemplate(L"Flags");
    Record record{"Weather", true};
    NamePage general(first.Get(), record, false);
    NamePage flags(second.Get(), record, true);
    DPropertySheet sheet(SheetArgs());
    sheet.AddPage(&general);
    sheet.AddPage(&flags);
    int pageAfterRefusal = -1;
    WhenModal([&] {
        HWND s = sheet.Handle();
        PropSheet_SetCurSel(s, nullptr, 1);
        CheckDlgButton(flags.Handle(), kFlagBox, BST_UNCHECKED);
        PropSheet_SetCurSel(s, nullptr, 0);
        pageAfterRefusal = PropSheet_HwndToIndex(s, PropSheet_GetCurrentPageHwnd(s));
        PropSheet_PressButton(s, PSBTN_CANCEL);
    });
    EXPECT_EQ(IDCANCEL, sheet.RunModal(nullptr));
    EXPECT_EQ(1, pageAfterRefusal) << "the flags page stays in front";
    EXPECT_EQ(0, general.given + flags.given);
    EXPECT_TRUE(record.flag);
}

}  // namespace
