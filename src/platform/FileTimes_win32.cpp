#include "platform/FileTimes.h"

#include <windows.h>

namespace platform {

bool SetCreationAndWriteTime(const char* path, uint32_t seconds) {
    HANDLE h =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    uint64_t v = (static_cast<uint64_t>(seconds) + 11644473600ULL) * 10000000ULL;
    FILETIME ft{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
    BOOL ok = SetFileTime(h, &ft, nullptr, &ft);
    DWORD err = GetLastError();
    CloseHandle(h);
    SetLastError(ok ? 0 : err);
    return ok != 0;
}

}  // namespace platform
