#include "platform/Clock.h"

namespace platform {

uint32_t FromUtc(int year, int month, int day, int hour, int minute, int second) {
    // Days from the civil date (proleptic Gregorian calendar), without the C
    // runtime's time zone rules.
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153u * static_cast<unsigned>(month + (month > 2 ? -3 : 9)) + 2) / 5 +
                         static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = era * 146097LL + static_cast<long long>(doe) - 719468;
    return static_cast<uint32_t>(days * 86400LL + hour * 3600LL + minute * 60LL + second);
}

}  // namespace platform
