#include "shell/gui/DPropertySheet.h"

#include <commctrl.h>

#include <string>

#include "platform/Lang.h"
#include "shell/gui/DText.h"

namespace {

// The sheet being made: its callback has no other way to find its object.
thread_local DPropertySheet* t_starting = nullptr;

void SetButtonText(HWND sheet, int id, const AStr& text) {
    if (!text.IsEmpty()) SetDlgItemTextW(sheet, id, WideText(text.c_str()).c_str());
}

}  // namespace

INT_PTR CALLBACK DPropertyPage::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) lParam = reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam;
    return Proc(page, message, wParam, lParam);
}

bool DPropertyPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case PSN_KILLACTIVE:
            // TRUE keeps the page: a refused field stays in front.
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, Validate() ? FALSE : TRUE);
            *result = TRUE;
            return true;
        case PSN_APPLY:
            TransferFromControls();
            if (t_starting) t_starting->applied_ = true;
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, PSNRET_NOERROR);
            *result = TRUE;
            return true;
        case PSN_HELP:
            OnHelp(nullptr);
            *result = TRUE;
            return true;
        default:
            return false;
    }
}

int CALLBACK DPropertySheet::SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && t_starting) {
        DPropertySheet* self = t_starting;
        self->handle_ = sheet;
        SetButtonText(sheet, IDOK, self->args_.okText);
        SetButtonText(sheet, IDCANCEL, self->args_.cancelText);
        SetButtonText(sheet, IDHELP, self->args_.helpText);
    }
    return 0;
}

INT_PTR DPropertySheet::RunModal(HWND owner) {
    std::vector<PROPSHEETPAGEW> pages(pages_.size());
    for (size_t i = 0; i < pages_.size(); ++i) {
        DPropertyPage* page = pages_[i];
        page->modal_ = true;  // the sheet destroys its pages
        PROPSHEETPAGEW& p = pages[i];
        p.dwSize = sizeof p;
        p.dwFlags = args_.withHelp ? PSP_HASHELP : 0;
        p.hInstance = page->Module();
        if (page->Args().indirect) {
            p.dwFlags |= PSP_DLGINDIRECT;
            p.pResource = page->Args().indirect;
        } else {
            p.pszTemplate = MAKEINTRESOURCEW(page->Args().templateId);
        }
        p.pfnDlgProc = DPropertyPage::PageProc;
        p.lParam = reinterpret_cast<LPARAM>(page);
    }
    std::wstring title = WideText(args_.title.c_str());
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | (args_.withApply ? 0 : PSH_NOAPPLYNOW) |
                     (args_.withHelp ? PSH_HASHELP : 0);
    header.hwndParent = owner;
    header.hInstance = args_.module ? args_.module : static_cast<HINSTANCE>(TheLanguage().Module());
    header.pszCaption = title.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    DPropertySheet* outer = t_starting;
    t_starting = this;
    applied_ = false;
    INT_PTR result = PropertySheetW(&header);
    t_starting = outer;
    handle_ = nullptr;
    if (result < 0) return -1;
    return applied_ ? IDOK : IDCANCEL;
}
