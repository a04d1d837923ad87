// The first page of a web page's sheet, and in the defaults mode the page
// of the defaults for new objects (only the news-tape flag of the flags).
#include "lang/PropertyIds.h"
#include "propfields/ObjectFields.h"
#include "ui/ItemPropPages.h"

namespace {

const int kModeButtons[] = {IDC_PAGE_MODE_NONE, IDC_PAGE_MODE_TEXT, IDC_PAGE_MODE_LINKS};

}  // namespace

ItemPropDialog::ItemPropDialog(ItemProperties& record, const ItemPageContext& context)
    : ObjectPage(DLG_WEB_PAGE, record, context) {}

void ItemPropDialog::OnInit() {
    const bool defaults = context_.defaultsMode;
    for (int id : {IDC_OBJECT_NAME, IDC_PAGE_ADDRESS, IDC_PAGE_NAME_LABEL, IDC_PAGE_ADDRESS_LABEL})
        ShowItem(id, !defaults);
    ShowItem(IDC_PAGE_NEWS_TAPE, defaults);
    ShowItem(IDC_PAGE_PROTECTED, false);
    SendMessageW(Item(IDC_OBJECT_NAME), EM_LIMITTEXT, 65534, 0);
    SendMessageW(Item(IDC_PAGE_ADDRESS), EM_LIMITTEXT, 65534, 0);
}

void ItemPropDialog::TransferToControls() {
    SetItemText(IDC_OBJECT_NAME, record_.name);
    SetItemText(IDC_PAGE_ADDRESS, record_.address);
    // A protected object keeps its address: read-only, but still readable.
    SendMessageW(Item(IDC_PAGE_ADDRESS), EM_SETREADONLY, AddressLocked(record_), 0);
    EnableItem(IDC_PAGE_ADDRESS, !AddressLocked(record_));
    SetChecked(IDC_PAGE_NEWS_TAPE, (record_.flags & kFlagNewsTape) != 0);
    SetChecked(IDC_PAGE_PROTECTED, (record_.flags & kFlagProtected) != 0);
    FillPeriod(IDC_PAGE_DAYS, IDC_PAGE_HOURS, IDC_PAGE_MINUTES);
    ShowLastAttempt(IDC_PAGE_LAST_ATTEMPT, IDC_PAGE_LAST_ATTEMPT_LABEL, false);
    for (int mode = 0; mode < 3; ++mode) SetChecked(kModeButtons[mode], record_.modify == mode);
    FillColors(IDC_PAGE_COLOR);
}

bool ItemPropDialog::Validate() {
    if (!context_.defaultsMode && TypedPageAddress(ItemText(IDC_PAGE_ADDRESS).c_str()).IsEmpty()) {
        SendMessageW(Item(IDC_PAGE_ADDRESS), EM_SETSEL, 0, -1);
        return RefuseField(IDC_PAGE_ADDRESS);
    }
    uint32_t seconds = 0;
    return ReadPeriod(IDC_PAGE_DAYS, IDC_PAGE_HOURS, IDC_PAGE_MINUTES, &seconds);
}

void ItemPropDialog::TransferFromControls() {
    if (context_.defaultsMode) {
        record_.flags = static_cast<uint16_t>(record_.flags & ~kFlagNewsTape);
        if (IsChecked(IDC_PAGE_NEWS_TAPE)) record_.flags |= kFlagNewsTape;
    } else {
        record_.name = ItemText(IDC_OBJECT_NAME);
        if (!AddressLocked(record_))
            record_.address = TypedPageAddress(ItemText(IDC_PAGE_ADDRESS).c_str());
    }
    uint32_t seconds = 0;
    if (ReadPeriod(IDC_PAGE_DAYS, IDC_PAGE_HOURS, IDC_PAGE_MINUTES, &seconds))
        record_.timedelta = seconds;
    for (int mode = 0; mode < 3; ++mode)
        if (IsChecked(kModeButtons[mode])) record_.modify = static_cast<uint8_t>(mode);
    ReadColor();
    record_.flags = static_cast<uint16_t>(record_.flags & ~kFlagProtected);
    if (IsChecked(IDC_PAGE_PROTECTED)) record_.flags |= kFlagProtected;
}
