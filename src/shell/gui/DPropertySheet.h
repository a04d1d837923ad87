#pragma once
// Property sheets over the system's, with pages made from dialog templates
// of the language module. A page is a dialog with the same hooks: it
// validates when the user leaves it or takes OK, and every page that was
// opened moves its controls back into the record on OK.
#include <windows.h>

#include <vector>

#include "framework/AStr.h"
#include "shell/gui/DDialog.h"

class DPropertyPage : public DDialog {
  public:
    explicit DPropertyPage(const DDialogArgs& args) : DDialog(args) {}

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

  private:
    friend class DPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
};

struct DPropertySheetArgs {
    AStr title;
    AStr okText, cancelText, helpText;  // empty: the system's
    bool withApply = false;
    bool withHelp = false;
    HINSTANCE module = nullptr;  // null: the language module
};

class DPropertySheet {
  public:
    explicit DPropertySheet(const DPropertySheetArgs& args) : args_(args) {}
    // Pages are shown in the order added; the sheet does not own them.
    void AddPage(DPropertyPage* page) { pages_.push_back(page); }
    // IDOK when the user took OK, IDCANCEL otherwise (-1 when the sheet
    // could not be made).
    INT_PTR RunModal(HWND owner);
    // The sheet's window while it runs.
    HWND Handle() const { return handle_; }

  private:
    static int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam);
    DPropertySheetArgs args_;
    friend class DPropertyPage;
    std::vector<DPropertyPage*> pages_;
    HWND handle_ = nullptr;
    bool applied_ = false;  // OK was taken: the pages moved their controls back
};
