#include "panes/PaneTexts.h"

#include "platform/Clock.h"
#include "platform/Lang.h"
#include "platform/LocaleDates.h"

AStr PaneTexts::Text(unsigned id) {
    return LoadText(id);
}

AStr PaneTexts::Error(int32_t code, int32_t detail) {
    return CheckErrorText(code, detail);
}

AStr PaneTexts::CheckTime(uint32_t time) {
    platform::LocalTime t = platform::ToLocalTime(time);
    uint32_t locale = DateTimeLocale();
    AStr out = platform::FormatLocaleDate(locale, t);
    out += ", ";
    out += platform::FormatLocaleTime(locale, t, false);
    return out;
}
