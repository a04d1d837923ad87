#include "platform/LocaleDates.h"

#include <windows.h>

namespace platform {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.weekday);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

}  // namespace

AStr FormatLocaleDate(uint32_t locale, const LocalTime& t) {
    SYSTEMTIME st = ToSystemTime(t);
    char text[80];
    if (GetDateFormatA(locale, DATE_SHORTDATE, &st, nullptr, text, sizeof text) <= 0) return AStr();
    return AStr(text);
}

AStr FormatLocaleTime(uint32_t locale, const LocalTime& t, bool withSeconds) {
    SYSTEMTIME st = ToSystemTime(t);
    char text[80];
    if (GetTimeFormatA(locale, withSeconds ? 0 : TIME_NOSECONDS, &st, nullptr, text, sizeof text) <=
        0)
        return AStr();
    return AStr(text);
}

}  // namespace platform
