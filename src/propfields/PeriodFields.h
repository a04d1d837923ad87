#pragma once
// The check period and the discard age are edited as drop-down lists of
// days, hours and minutes (the age without minutes) that offer a few values
// and take any typed number in their range.
#include <cstddef>
#include <cstdint>

#include "framework/AStr.h"

enum PeriodField : int { kDaysField = 0, kHoursField = 1, kMinutesField = 2, kNoBadField = -1 };

struct OfferedValues {
    const uint32_t* values;
    size_t count;
};
// What each list offers: days 0..30, hours 0..12, minutes 0..45.
OfferedValues OfferedPeriodValues(PeriodField field);
// The largest number a field takes: 31 days, 24 hours, 60 minutes.
uint32_t PeriodFieldMax(PeriodField field);

struct PeriodTexts {
    AStr days, hours, minutes;
};

// Days = seconds / 86400, hours = (seconds / 3600) mod 24, minutes =
// (seconds / 60) mod 60; seconds below a minute are not shown.
PeriodTexts PeriodToTexts(uint32_t seconds);
// ((days * 24 + hours) * 60 + minutes) * 60, or the first field (days,
// hours, minutes in that order) that is unreadable or out of its range.
PeriodField PeriodFromTexts(const PeriodTexts& texts, uint32_t* seconds);

// The discard age: days and hours of a number of seconds.
PeriodTexts AgeToTexts(int32_t seconds);
// (days * 24 + hours) * 3600, or the first bad field (days, then hours).
PeriodField AgeFromTexts(const PeriodTexts& texts, int32_t* seconds);
