#pragma once
// Dates and times as a locale writes them, for the texts the user reads
// (check times, mail dates, text logs). Locales are Windows locale
// identifiers: 1033 English, 1049 Russian, 1031 German, 1024 the user's
// default.
#include <cstdint>

#include "framework/AStr.h"
#include "platform/Clock.h"

namespace platform {

// The locale's short date: day, month and year in its order and with its
// separator.
AStr FormatLocaleDate(uint32_t locale, const LocalTime& t);
// The locale's time: hours and minutes, and seconds when asked for.
AStr FormatLocaleTime(uint32_t locale, const LocalTime& t, bool withSeconds);

}  // namespace platform
