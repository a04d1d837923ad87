// The folder dialog and the choice of a new object's kind.
#include "lang/PropertyIds.h"
#include "ui/ItemPropSheet.h"

namespace {

const int kKindButtons[] = {IDC_KIND_PAGE, IDC_KIND_MAILBOX, IDC_KIND_FOLDER};

}  // namespace

// A folder: its name and whether it gathers a news tape and a text log.
class RubricPropDialog : public DDialog {
  public:
    explicit RubricPropDialog(ItemProperties& record)
        : DDialog(DDialogArgs::FromTemplate(DLG_FOLDER)), record_(record) {}

  protected:
    void TransferToControls() override {
        SendMessageW(Item(IDC_FOLDER_NAME), EM_LIMITTEXT, 65534, 0);
        SetItemText(IDC_FOLDER_NAME, record_.name);
        SetChecked(IDC_FOLDER_NEWS_TAPE, (record_.flags & kFlagNewsTape) != 0);
        SetChecked(IDC_FOLDER_TEXT_LOG, (record_.flags & kFlagTextLog) != 0);
    }
    void TransferFromControls() override {
        record_.name = ItemText(IDC_FOLDER_NAME);
        const uint16_t own = kFlagNewsTape | kFlagTextLog;
        record_.flags = static_cast<uint16_t>(
            (record_.flags & ~own) | (IsChecked(IDC_FOLDER_NEWS_TAPE) ? kFlagNewsTape : 0) |
            (IsChecked(IDC_FOLDER_TEXT_LOG) ? kFlagTextLog : 0));
    }

  private:
    ItemProperties& record_;
};

// Web page, mailbox or folder.
class ObjectTypeDialog : public DDialog {
  public:
    // It shares the folder dialog's help.
    explicit ObjectTypeDialog(int& kind)
        : DDialog(DDialogArgs::FromTemplate(DLG_OBJECT_KIND, DLG_FOLDER)), kind_(kind) {}

  protected:
    void TransferToControls() override {
        for (int k = 0; k < 3; ++k) SetChecked(kKindButtons[k], k == kind_);
    }
    void TransferFromControls() override {
        for (int k = 0; k < 3; ++k)
            if (IsChecked(kKindButtons[k])) kind_ = k;
    }

  private:
    int& kind_;
};

int EditFolder(HWND owner, ItemProperties& properties) {
    ItemProperties copy = properties;
    RubricPropDialog dialog(copy);
    if (dialog.RunModal(owner) != IDOK) return 0;
    properties = copy;
    return 1;
}

int ChooseObjectKind(HWND owner, int& kind) {
    int chosen = kind >= 0 && kind < 3 ? kind : 0;
    ObjectTypeDialog dialog(chosen);
    if (dialog.RunModal(owner) != IDOK) return 0;
    kind = chosen;
    return 1;
}
