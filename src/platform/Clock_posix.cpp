#include "platform/Clock.h"

#include <time.h>

namespace platform {

uint32_t NowSeconds() {
    return static_cast<uint32_t>(time(nullptr));
}

uint32_t TickCount() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + ts.tv_nsec / 1000000);
}

void SleepMs(uint32_t ms) {
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

LocalTime ToLocalTime(uint32_t seconds) {
    time_t t = static_cast<time_t>(seconds);
    tm parts{};
    localtime_r(&t, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                     parts.tm_min,         parts.tm_sec,     parts.tm_wday};
}

}  // namespace platform
