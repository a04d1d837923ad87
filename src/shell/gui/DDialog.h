#pragma once
// Dialogs made from the dialog templates of the language module, modal or
// modeless. A dialog edits a copy of a record: the transfer hooks move the
// record into the controls when the dialog opens and back when OK is taken;
// validation runs first and a refused field keeps the dialog open, with the
// focus on that field and the exclamation beep.
#include <windows.h>

#include "framework/AStr.h"

struct DDialogArgs {
    int templateId = 0;
    // The module holding the template; null: the language module.
    HINSTANCE module = nullptr;
    // A template in memory instead of a resource (tests, built-in dialogs).
    const DLGTEMPLATE* indirect = nullptr;
    ULONG_PTR helpContext = 0;  // 0: no help

    // A template of the language module with its help context (the
    // template's own number unless another is given).
    static DDialogArgs FromTemplate(int templateId) {
        return FromTemplate(templateId, static_cast<ULONG_PTR>(templateId));
    }
    static DDialogArgs FromTemplate(int templateId, ULONG_PTR helpContext) {
        DDialogArgs args;
        args.templateId = templateId;
        args.helpContext = helpContext;
        return args;
    }
};

class DDialog {
  public:
    explicit DDialog(const DDialogArgs& args) : args_(args) {}
    virtual ~DDialog();
    DDialog(const DDialog&) = delete;
    DDialog& operator=(const DDialog&) = delete;

    // Runs the dialog until it ends: IDOK, IDCANCEL (or the value passed to
    // End), -1 when it could not be made.
    INT_PTR RunModal(HWND owner);
    // Makes the dialog and returns at once; false when it could not be made.
    bool CreateModeless(HWND owner);
    // A modeless dialog that was open and has been closed since.
    bool IsClosed() const { return wasOpen_ && !handle_; }

    HWND Handle() const { return handle_; }
    HWND Item(int id) const { return GetDlgItem(handle_, id); }

    // Control texts in the record's form (1251, or UTF-8 when that is the
    // text's form) and back.
    void SetItemText(int id, const AStr& text) const;
    AStr ItemText(int id) const;
    void SetChecked(int id, bool checked) const;
    bool IsChecked(int id) const;
    void EnableItem(int id, bool enable) const;
    void ShowItem(int id, bool show) const;
    // A refused field: the focus on it and the exclamation beep; returns
    // false so that a validation can end with it.
    bool RefuseField(int id) const;

  protected:
    // The hooks, in the order the dialog calls them.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnHelp(const HELPINFO* info);
    virtual void OnInit() {}
    virtual void TransferToControls() {}
    virtual void TransferFromControls() {}
    virtual bool Validate() { return true; }
    // Messages the hooks do not cover; return true when handled (the result
    // in *result).
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
    // The modeless window is gone.
    virtual void OnClosed() {}

    // Ends the dialog with a result (modal) or destroys it (modeless).
    void End(INT_PTR result);
    // Validation, transfer from the controls and the end with IDOK.
    void TakeOk();
    const DDialogArgs& Args() const { return args_; }

    // The dialog procedure; lParam of WM_INITDIALOG is the DDialog.
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HINSTANCE Module() const;

  private:
    friend class DPropertyPage;
    friend class DPropertySheet;
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    DDialogArgs args_;
    HWND handle_ = nullptr;
    bool modal_ = false;
    bool wasOpen_ = false;
};
