#include <utility>
#include <vector>

#include "lang/PropertyIds.h"
#include "platform/Lang.h"
#include "propfields/ObjectFields.h"
#include "propfields/PeriodFields.h"
#include "shell/gui/DText.h"
#include "ui/ItemPropPages.h"

void FillOfferedList(HWND combo, PeriodField field, const AStr& shown) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    OfferedValues offered = OfferedPeriodValues(field);
    for (size_t i = 0; i < offered.count; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(offered.values[i]).c_str()));
    SetWindowTextW(combo, WideText(shown.c_str()).c_str());
}

ObjectPage::ObjectPage(int templateId, ItemProperties& record, const ItemPageContext& context)
    : DPropertyPage(DDialogArgs::FromTemplate(templateId)), record_(record), context_(context) {}

void ObjectPage::FillPeriod(int days, int hours, int minutes) const {
    PeriodTexts texts = PeriodToTexts(record_.timedelta);
    FillOfferedList(Item(days), kDaysField, texts.days);
    FillOfferedList(Item(hours), kHoursField, texts.hours);
    FillOfferedList(Item(minutes), kMinutesField, texts.minutes);
}

bool ObjectPage::ReadPeriod(int days, int hours, int minutes, uint32_t* seconds) const {
    PeriodTexts texts{ItemText(days), ItemText(hours), ItemText(minutes)};
    switch (PeriodFromTexts(texts, seconds)) {
        case kDaysField:
            return RefuseField(days);
        case kHoursField:
            return RefuseField(hours);
        case kMinutesField:
            return RefuseField(minutes);
        default:
            return true;
    }
}

void ObjectPage::ShowLastAttempt(int id, int label, bool mailbox) const {
    uint32_t time =
        ShownLastAttempt(record_.lastCheck, record_.timedelta, context_.lastAttemptFailed, mailbox);
    SetItemText(id, time ? LastAttemptText(time, DateTimeLocale()) : AStr());
    ShowItem(id, time != 0);
    ShowItem(label, time != 0);
}

void ObjectPage::FillColors(int id) {
    std::vector<DColorComboBox::Entry> entries;
    for (size_t i = 0; i < kColorChoiceCount; ++i)
        entries.push_back({ColorChoice(i), LoadText(TEXT_COLOR_FIRST + static_cast<unsigned>(i))});
    colors_.Attach(Item(id), std::move(entries));
    colors_.Select(static_cast<int>(ColorChoiceIndex(record_.color)));
}

void ObjectPage::ReadColor() {
    int index = colors_.Selected();
    record_.color = index < 0 ? ItemProperties().color : ColorChoice(static_cast<size_t>(index));
}

bool ObjectPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    if (message == WM_DRAWITEM && colors_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
        *result = TRUE;
        return true;
    }
    return DPropertyPage::OnMessage(message, wParam, lParam, result);
}
