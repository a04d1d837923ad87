#include "pop3/MailDate.h"

#include <cstring>

#include "framework/Cp1251.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number up to the first non-digit; 0 when there is none. Very
// long numbers stop growing instead of overflowing.
int ReadNumber(const char*& p) {
    long value = 0;
    for (; IsDigit(*p); ++p)
        if (value < 100000000) value = value * 10 + (*p - '0');
    return static_cast<int>(value);
}

// Moves past the next byte of `separators`; false when there is none.
bool SkipPast(const char*& p, const char* separators) {
    const char* s = p + strcspn(p, separators);
    if (!*s) return false;
    p = s + 1;
    return true;
}

// The month by its first letters, as mail programs have always read them.
int MonthOf(const char* m) {
    const char second = m[0] ? m[1] : 0;
    const char third = second ? m[2] : 0;
    switch (m[0]) {
        case 'J':
            return second == 'a' ? 1 : third == 'n' ? 6 : 7;
        case 'F':
            return 2;
        case 'M':
            return third == 'r' ? 3 : 5;
        case 'A':
            return second == 'p' ? 4 : 8;
        case 'S':
            return 9;
        case 'O':
            return 10;
        case 'N':
            return 11;
        default:
            return 12;
    }
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

bool ParseMailDate(const char* text, MailTime* time) {
    if (!text) return false;
    const char* p = strchr(text, ',');
    if (p) {
        ++p;
        while (*p == ' ') ++p;
    } else {
        p = text;
    }

    const int day = ReadNumber(p);
    if (day == 0) return false;
    if (!SkipPast(p, "- ")) return false;
    const int month = MonthOf(p);
    if (!SkipPast(p, "- ")) return false;
    int year = ReadNumber(p);
    if (year < 1980) year += 1900;
    if (!SkipPast(p, " ")) return false;
    const int hour = ReadNumber(p);
    if (!SkipPast(p, ":")) return false;
    const int minute = ReadNumber(p);
    if (!SkipPast(p, ":")) return false;
    const int second = ReadNumber(p);

    if (day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59) return false;
    MailTime t = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;

    if (SkipPast(p, " ") && cp1251::CompareNoCase(p, "GMT", 3) != 0 && (*p == '+' || *p == '-')) {
        const char sign = *p++;
        static const int kWeights[4] = {36000, 3600, 600, 60};
        int offset = 0;
        for (int i = 0; i < 4 && IsDigit(p[i]); ++i) offset += (p[i] - '0') * kWeights[i];
        t += sign == '-' ? offset : -offset;
    }
    *time = t;
    return true;
}
