#include "propfields/PeriodFields.h"

#include "propfields/TypedNumbers.h"

namespace {

const uint32_t kOfferedDays[] = {0, 1, 2, 3, 7, 14, 30};
const uint32_t kOfferedHours[] = {0, 1, 2, 3, 6, 12};
const uint32_t kOfferedMinutes[] = {0, 1, 2, 3, 5, 10, 15, 20, 30, 45};

AStr Number(uint32_t n) {
    return AStr::Format("%u", n);
}

}  // namespace

OfferedValues OfferedPeriodValues(PeriodField field) {
    switch (field) {
        case kDaysField:
            return {kOfferedDays, sizeof kOfferedDays / sizeof *kOfferedDays};
        case kHoursField:
            return {kOfferedHours, sizeof kOfferedHours / sizeof *kOfferedHours};
        default:
            return {kOfferedMinutes, sizeof kOfferedMinutes / sizeof *kOfferedMinutes};
    }
}

uint32_t PeriodFieldMax(PeriodField field) {
    return field == kDaysField ? 31 : field == kHoursField ? 24 : 60;
}

PeriodTexts PeriodToTexts(uint32_t seconds) {
    return {Number(seconds / 86400), Number(seconds / 3600 % 24), Number(seconds / 60 % 60)};
}

PeriodField PeriodFromTexts(const PeriodTexts& texts, uint32_t* seconds) {
    uint32_t days = 0, hours = 0, minutes = 0;
    if (!ReadUnsignedField(texts.days.c_str(), PeriodFieldMax(kDaysField), &days))
        return kDaysField;
    if (!ReadUnsignedField(texts.hours.c_str(), PeriodFieldMax(kHoursField), &hours))
        return kHoursField;
    if (!ReadUnsignedField(texts.minutes.c_str(), PeriodFieldMax(kMinutesField), &minutes))
        return kMinutesField;
    *seconds = ((days * 24 + hours) * 60 + minutes) * 60;
    return kNoBadField;
}

PeriodTexts AgeToTexts(int32_t seconds) {
    uint32_t s = seconds < 0 ? 0 : static_cast<uint32_t>(seconds);
    return {Number(s / 86400), Number(s / 3600 % 24), AStr()};
}

PeriodField AgeFromTexts(const PeriodTexts& texts, int32_t* seconds) {
    uint32_t days = 0, hours = 0;
    if (!ReadUnsignedField(texts.days.c_str(), PeriodFieldMax(kDaysField), &days))
        return kDaysField;
    if (!ReadUnsignedField(texts.hours.c_str(), PeriodFieldMax(kHoursField), &hours))
        return kHoursField;
    *seconds = static_cast<int32_t>((hours + days * 24) * 3600);
    return kNoBadField;
}
