#pragma once
#include <cstdint>

namespace platform {

// Seconds since 1970-01-01 UTC.
uint32_t NowSeconds();
// Milliseconds since an arbitrary start; wraps like the Windows tick count.
uint32_t TickCount();
void SleepMs(uint32_t ms);

// Broken-down local time of a moment in seconds since 1970.
struct LocalTime {
    int year, month, day, hour, minute, second, weekday;
};
LocalTime ToLocalTime(uint32_t seconds);
// Seconds since 1970 of a UTC calendar moment.
uint32_t FromUtc(int year, int month, int day, int hour, int minute, int second);

}  // namespace platform
