// Dates and times in the formats of the interface languages' locales. The
// Windows build asks the system, whose formats vary with its version, so
// what holds everywhere is checked here and the exact forms of the own
// tables in the POSIX test.
#include "platform/LocaleDates.h"

#include <gtest/gtest.h>

#include <string>

using platform::FormatLocaleDate;
using platform::FormatLocaleTime;
using platform::LocalTime;

namespace {
const LocalTime kEvening{2002, 12, 25, 19, 30, 58, 3};

bool Has(const AStr& text, const char* part) {
    return std::string(text.c_str()).find(part) != std::string::npos;
}
}  // namespace

TEST(LocaleDates, EveryLocaleWritesDayMonthAndYear) {
    for (uint32_t locale : {1033u, 1049u, 1031u, 1024u}) {
        AStr date = FormatLocaleDate(locale, kEvening);
        EXPECT_TRUE(Has(date, "25") && Has(date, "12") && Has(date, "2002"))
            << locale << " " << date.c_str();
    }
}

TEST(LocaleDates, SecondsOnlyWhenAskedFor) {
    for (uint32_t locale : {1033u, 1049u, 1031u}) {
        EXPECT_TRUE(Has(FormatLocaleTime(locale, kEvening, true), ":30:58")) << locale;
        AStr shortTime = FormatLocaleTime(locale, kEvening, false);
        EXPECT_TRUE(Has(shortTime, ":30") && !Has(shortTime, "58"))
            << locale << " " << shortTime.c_str();
    }
    EXPECT_TRUE(Has(FormatLocaleTime(1033, kEvening, false), "PM"));
    EXPECT_TRUE(Has(FormatLocaleTime(1049, kEvening, false), "19:30"));
}
