// The filters of a web page: keyword expressions and thresholds.
#include "lang/PropertyIds.h"
#include "propfields/TypedNumbers.h"
#include "ui/ItemPropPages.h"
#include "ui/UsableEdit.h"

ItemFilterDialog::ItemFilterDialog(ItemProperties& record)
    : DPropertyPage(DDialogArgs::FromTemplate(DLG_OBJECT_FILTER)), record_(record) {}

void ItemFilterDialog::OnInit() {
    UsableEdit::Attach(Item(IDC_FILTER_KEYWORDS));
    UsableEdit::Attach(Item(IDC_FILTER_SKIP_KEYWORDS));
    for (int id : {IDC_FILTER_KEYWORDS, IDC_FILTER_SKIP_KEYWORDS})
        SendMessageW(Item(id), EM_LIMITTEXT, 65534, 0);
    for (int id : {IDC_FILTER_MIN_CHANGED, IDC_FILTER_SHORTEST})
        SendMessageW(Item(id), EM_LIMITTEXT, 5, 0);
}

void ItemFilterDialog::TransferToControls() {
    SetItemText(IDC_FILTER_KEYWORDS, record_.keywords);
    SetItemText(IDC_FILTER_SKIP_KEYWORDS, record_.skipkeywords);
    SetItemText(IDC_FILTER_MIN_CHANGED, OptionalLimitText(record_.minchanged));
    SetItemText(IDC_FILTER_SHORTEST, OptionalLimitText(record_.skipnumchars));
    SetChecked(IDC_FILTER_NO_LETTERS, (record_.skipchanges & 1) != 0);
}

void ItemFilterDialog::TransferFromControls() {
    record_.keywords = ItemText(IDC_FILTER_KEYWORDS);
    record_.skipkeywords = ItemText(IDC_FILTER_SKIP_KEYWORDS);
    record_.minchanged = OptionalLimitFromText(ItemText(IDC_FILTER_MIN_CHANGED).c_str());
    record_.skipnumchars = OptionalLimitFromText(ItemText(IDC_FILTER_SHORTEST).c_str());
    record_.skipchanges = static_cast<uint8_t>((record_.skipchanges & ~1u) |
                                               (IsChecked(IDC_FILTER_NO_LETTERS) ? 1u : 0u));
}
