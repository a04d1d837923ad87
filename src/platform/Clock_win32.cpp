#include "platform/Clock.h"

#include <windows.h>

#include <ctime>

namespace platform {

uint32_t NowSeconds() {
    return static_cast<uint32_t>(time(nullptr));
}
uint32_t TickCount() {
    return GetTickCount();
}
void SleepMs(uint32_t ms) {
    Sleep(ms);
}

LocalTime ToLocalTime(uint32_t seconds) {
    uint64_t v = (static_cast<uint64_t>(seconds) + 11644473600ULL) * 10000000ULL;
    FILETIME utc{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}, local;
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wDayOfWeek};
}

}  // namespace platform
