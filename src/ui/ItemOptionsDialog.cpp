// Old-check discarding, the text log, table preparation and the event of
// an object. A run-program event that came from elsewhere is held (kind
// "none" with its command line kept): the page says so, and the event runs
// again only after the user confirms the program.
#include "lang/PropertyIds.h"
#include "propfields/ObjectFields.h"
#include "propfields/PeriodFields.h"
#include "propfields/TypedNumbers.h"
#include "ui/ItemPropPages.h"
#include "watchlist/HeldEvents.h"

namespace {

// Event kinds 0..4 by radio button; the first button is the program-wide event.
const int kEventButtons[kEventKinds] = {IDC_OPT_EVENT_NONE, IDC_OPT_EVENT_BLINK,
                                        IDC_OPT_EVENT_SOUND, IDC_OPT_EVENT_MESSAGE,
                                        IDC_OPT_EVENT_PROGRAM};
constexpr uint32_t kLargestCount = 0x7FFFFFFF;
constexpr int32_t kShownCount = 10;  // the count shown for the other discard rules

}  // namespace

ItemOptionsDialog::ItemOptionsDialog(ItemProperties& record, const ItemPageContext& context)
    : DPropertyPage(DDialogArgs::FromTemplate(DLG_OBJECT_OPTIONS)),
      record_(record),
      context_(context) {}

void ItemOptionsDialog::OnInit() {
    held_ = IsHeldProgramEvent(record_.event);
    ShowItem(IDC_OPT_HELD_NOTE, held_);
    ShowItem(IDC_OPT_HELD_CONFIRM, held_);
    SendMessageW(Item(IDC_OPT_EVENT_PARAM), EM_LIMITTEXT, 65534, 0);
    SendMessageW(Item(IDC_OPT_COUNT), EM_LIMITTEXT, 10, 0);
}

void ItemOptionsDialog::TransferToControls() {
    SetChecked(IDC_OPT_KEEP_ALL, record_.deltype == kKeepAll);
    SetChecked(IDC_OPT_BY_AGE, record_.deltype == kDeleteByAge);
    SetChecked(IDC_OPT_KEEP_COUNT, record_.deltype == kDeleteByCount);
    PeriodTexts age = AgeToTexts(record_.deltype == kDeleteByAge ? record_.delparam : 0);
    FillOfferedList(Item(IDC_OPT_AGE_DAYS), kDaysField, age.days);
    FillOfferedList(Item(IDC_OPT_AGE_HOURS), kHoursField, age.hours);
    int32_t count = record_.deltype == kDeleteByCount ? record_.delparam : kShownCount;
    SetItemText(IDC_OPT_COUNT, AStr::Format("%ld", static_cast<long>(count)));
    SetChecked(IDC_OPT_TEXT_LOG, (record_.flags & kFlagTextLog) != 0);
    SetChecked(IDC_OPT_TABLES, (record_.flags & kFlagTables) != 0);

    const uint8_t type = record_.event.type;
    SetChecked(IDC_OPT_EVENT_PROGRAM_WIDE, type == ItemEvent::kProgramWide);
    for (uint8_t kind = kEventNone; kind < kEventKinds; ++kind)
        SetChecked(kEventButtons[kind], type == kind);
    SetItemText(IDC_OPT_EVENT_PARAM, record_.event.param);
    SetChecked(IDC_OPT_HELD_CONFIRM, false);
    UpdateDiscardFields();
    UpdateEventFields();
}

uint8_t ItemOptionsDialog::ChosenEvent() const {
    for (uint8_t kind = kEventNone; kind < kEventKinds; ++kind)
        if (IsChecked(kEventButtons[kind])) return kind;
    return ItemEvent::kProgramWide;
}

void ItemOptionsDialog::UpdateDiscardFields() const {
    const bool byAge = IsChecked(IDC_OPT_BY_AGE);
    EnableItem(IDC_OPT_AGE_DAYS, byAge);
    EnableItem(IDC_OPT_AGE_HOURS, byAge);
    EnableItem(IDC_OPT_COUNT, IsChecked(IDC_OPT_KEEP_COUNT));
}

void ItemOptionsDialog::UpdateEventFields() const {
    const uint8_t type = ChosenEvent();
    EnableItem(IDC_OPT_EVENT_PARAM, EventTakesParameter(type));
    EnableItem(IDC_OPT_EVENT_PARAM_LABEL, EventTakesParameter(type));
    EnableItem(IDC_OPT_EVENT_BROWSE, EventHasChooser(type));
}

bool ItemOptionsDialog::OnCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED) return DPropertyPage::OnCommand(id, code, control);
    switch (id) {
        case IDC_OPT_KEEP_ALL:
        case IDC_OPT_BY_AGE:
        case IDC_OPT_KEEP_COUNT:
            UpdateDiscardFields();
            return true;
        case IDC_OPT_HELD_CONFIRM:
            // Confirming the held program chooses "run a program" again.
            for (uint8_t kind = kEventNone; kind < kEventKinds; ++kind)
                SetChecked(kEventButtons[kind], IsChecked(IDC_OPT_HELD_CONFIRM)
                                                    ? kind == kEventRunProgram
                                                    : kind == kEventNone);
            SetChecked(IDC_OPT_EVENT_PROGRAM_WIDE, false);
            UpdateEventFields();
            return true;
        case IDC_OPT_EVENT_BROWSE:
            if (context_.chooseEventFile) {
                AStr path = ItemText(IDC_OPT_EVENT_PARAM);
                if (context_.chooseEventFile(Handle(), ChosenEvent(), path))
                    SetItemText(IDC_OPT_EVENT_PARAM, path);
            }
            return true;
        default:
            if (id >= IDC_OPT_EVENT_PROGRAM_WIDE && id <= IDC_OPT_EVENT_PROGRAM) {
                if (held_) SetChecked(IDC_OPT_HELD_CONFIRM, ChosenEvent() == kEventRunProgram);
                UpdateEventFields();
                return true;
            }
            return DPropertyPage::OnCommand(id, code, control);
    }
}

bool ItemOptionsDialog::Validate() {
    // The age fields are read only while they are enabled: a disabled field
    // cannot take the focus, and its text is not used.
    int32_t age = 0;
    PeriodTexts texts{ItemText(IDC_OPT_AGE_DAYS), ItemText(IDC_OPT_AGE_HOURS), AStr()};
    switch (IsChecked(IDC_OPT_BY_AGE) ? AgeFromTexts(texts, &age) : kNoBadField) {
        case kDaysField:
            return RefuseField(IDC_OPT_AGE_DAYS);
        case kHoursField:
            return RefuseField(IDC_OPT_AGE_HOURS);
        default:
            break;
    }
    // The number of checks to keep: an empty field is no number.
    uint32_t count = 0;
    AStr countText = ItemText(IDC_OPT_COUNT);
    if (IsChecked(IDC_OPT_KEEP_COUNT) &&
        (countText.IsEmpty() || !ReadUnsignedField(countText.c_str(), kLargestCount, &count)))
        return RefuseField(IDC_OPT_COUNT);
    return true;
}

void ItemOptionsDialog::TransferFromControls() {
    if (IsChecked(IDC_OPT_KEEP_ALL)) {
        record_.deltype = kKeepAll;
    } else if (IsChecked(IDC_OPT_BY_AGE)) {
        record_.deltype = kDeleteByAge;
        PeriodTexts texts{ItemText(IDC_OPT_AGE_DAYS), ItemText(IDC_OPT_AGE_HOURS), AStr()};
        AgeFromTexts(texts, &record_.delparam);
    } else if (IsChecked(IDC_OPT_KEEP_COUNT)) {
        uint32_t count = kShownCount;
        ReadUnsignedField(ItemText(IDC_OPT_COUNT).c_str(), kLargestCount, &count);
        record_.deltype = kDeleteByCount;
        record_.delparam = static_cast<int32_t>(count);
    }
    const uint16_t own = kFlagTextLog | kFlagTables;
    record_.flags = static_cast<uint16_t>((record_.flags & ~own) |
                                          (IsChecked(IDC_OPT_TEXT_LOG) ? kFlagTextLog : 0) |
                                          (IsChecked(IDC_OPT_TABLES) ? kFlagTables : 0));
    record_.event.type = ChosenEvent();
    record_.event.param = ItemText(IDC_OPT_EVENT_PARAM);
    // Kind "none" with a command line is what a held event looks like: only
    // the held event itself may stay so.
    if (record_.event.type == kEventNone && !held_) record_.event.param = AStr();
}
