#include "platform/LocaleDates.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace platform {
namespace {

// The formats of the locales the program names, as Windows writes them by
// default; the user's default follows the environment's language.
enum class Style { kEnglish, kRussian, kGerman, kIso };

Style UserStyle() {
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* v = std::getenv(var);
        if (!v || !*v) continue;
        if (strncmp(v, "ru", 2) == 0) return Style::kRussian;
        if (strncmp(v, "de", 2) == 0) return Style::kGerman;
        if (strncmp(v, "en_US", 5) == 0) return Style::kEnglish;
        return Style::kIso;
    }
    return Style::kIso;
}

Style StyleOf(uint32_t locale) {
    switch (locale) {
        case 1033:
            return Style::kEnglish;
        case 1049:
            return Style::kRussian;
        case 1031:
            return Style::kGerman;
        default:
            return UserStyle();
    }
}

}  // namespace

AStr FormatLocaleDate(uint32_t locale, const LocalTime& t) {
    switch (StyleOf(locale)) {
        case Style::kEnglish:
            return AStr::Format("%d/%d/%04d", t.month, t.day, t.year);
        case Style::kRussian:
        case Style::kGerman:
            return AStr::Format("%02d.%02d.%04d", t.day, t.month, t.year);
        case Style::kIso:
            break;
    }
    return AStr::Format("%04d-%02d-%02d", t.year, t.month, t.day);
}

AStr FormatLocaleTime(uint32_t locale, const LocalTime& t, bool withSeconds) {
    const Style style = StyleOf(locale);
    if (style == Style::kEnglish) {
        const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        const char* half = t.hour < 12 ? "AM" : "PM";
        return withSeconds ? AStr::Format("%d:%02d:%02d %s", h12, t.minute, t.second, half)
                           : AStr::Format("%d:%02d %s", h12, t.minute, half);
    }
    const char* hours = style == Style::kRussian ? "%d" : "%02d";
    AStr text = AStr::Format(hours, t.hour);
    text += AStr::Format(":%02d", t.minute);
    if (withSeconds) text += AStr::Format(":%02d", t.second);
    return text;
}

}  // namespace platform
