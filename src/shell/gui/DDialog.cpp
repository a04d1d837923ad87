#include "shell/gui/DDialog.h"

#include <string>

#include "platform/Lang.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DText.h"

DDialog::~DDialog() {
    if (handle_ && !modal_) DestroyWindow(handle_);
}

HINSTANCE DDialog::Module() const {
    if (args_.module) return args_.module;
    return static_cast<HINSTANCE>(TheLanguage().Module());
}

INT_PTR DDialog::RunModal(HWND owner) {
    modal_ = true;
    auto self = reinterpret_cast<LPARAM>(this);
    if (args_.indirect) return DialogBoxIndirectParamW(Module(), args_.indirect, owner, Proc, self);
    return DialogBoxParamW(Module(), MAKEINTRESOURCEW(args_.templateId), owner, Proc, self);
}

bool DDialog::CreateModeless(HWND owner) {
    modal_ = false;
    auto self = reinterpret_cast<LPARAM>(this);
    HWND made =
        args_.indirect
            ? CreateDialogIndirectParamW(Module(), args_.indirect, owner, Proc, self)
            : CreateDialogParamW(Module(), MAKEINTRESOURCEW(args_.templateId), owner, Proc, self);
    return made != nullptr;
}

INT_PTR CALLBACK DDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->handle_ = dialog;
        self->wasOpen_ = true;
    }
    if (!self) return FALSE;
    INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
        if (!self->modal_) self->OnClosed();
    }
    return result;
}

INT_PTR DDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    switch (message) {
        case WM_INITDIALOG:
            OnInit();
            TransferToControls();
            return TRUE;  // the system puts the focus on the first control
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_HELP:
            return OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
        default:
            return OnMessage(message, wParam, lParam, &result) ? result : FALSE;
    }
}

bool DDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED && code != 1) return false;
    switch (id) {
        case IDOK:
            TakeOk();
            return true;
        case IDCANCEL:
            End(IDCANCEL);
            return true;
        case IDHELP:
            return OnHelp(nullptr);
        default:
            return false;
    }
}

bool DDialog::OnHelp(const HELPINFO*) {
    if (!args_.helpContext) return false;
    ShowHelp(handle_, HELP_CONTEXT, args_.helpContext);
    return true;
}

bool DDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) {
    return false;
}

void DDialog::TakeOk() {
    if (!Validate()) return;
    TransferFromControls();
    End(IDOK);
}

void DDialog::End(INT_PTR result) {
    if (!handle_) return;
    if (modal_)
        EndDialog(handle_, result);
    else
        DestroyWindow(handle_);
}

void DDialog::SetItemText(int id, const AStr& text) const {
    SetDlgItemTextW(handle_, id, WideText(text.c_str()).c_str());
}

AStr DDialog::ItemText(int id) const {
    HWND item = Item(id);
    int length = item ? GetWindowTextLengthW(item) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (item) GetWindowTextW(item, &text[0], length + 1);
    // A text the 1251 table cannot hold is kept as UTF-8.
    return RecordText(text.c_str());
}

void DDialog::SetChecked(int id, bool checked) const {
    CheckDlgButton(handle_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DDialog::IsChecked(int id) const {
    return IsDlgButtonChecked(handle_, id) == BST_CHECKED;
}

void DDialog::EnableItem(int id, bool enable) const {
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void DDialog::ShowItem(int id, bool show) const {
    ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

bool DDialog::RefuseField(int id) const {
    HWND item = Item(id);
    if (item) SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
}
