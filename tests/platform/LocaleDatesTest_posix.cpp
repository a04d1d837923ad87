// The portable build's own tables: the forms Windows writes by default.
#include <gtest/gtest.h>

#include "platform/LocaleDates.h"

using platform::FormatLocaleDate;
using platform::FormatLocaleTime;
using platform::LocalTime;

namespace {
const LocalTime kMorning{2002, 3, 5, 7, 4, 9, 2};
const LocalTime kMidnight{2002, 3, 5, 0, 15, 0, 2};
}  // namespace

TEST(LocaleDatesPosix, EnglishWritesMonthFirstAndTwelveHours) {
    EXPECT_EQ("3/5/2002", FormatLocaleDate(1033, kMorning));
    EXPECT_EQ("7:04:09 AM", FormatLocaleTime(1033, kMorning, true));
    EXPECT_EQ("12:15 AM", FormatLocaleTime(1033, kMidnight, false));
}

TEST(LocaleDatesPosix, RussianAndGermanWriteDayFirstWithDots) {
    EXPECT_EQ("05.03.2002", FormatLocaleDate(1049, kMorning));
    EXPECT_EQ("05.03.2002", FormatLocaleDate(1031, kMorning));
    EXPECT_EQ("7:04:09", FormatLocaleTime(1049, kMorning, true));
    EXPECT_EQ("07:04:09", FormatLocaleTime(1031, kMorning, true));
}
