#include <windows.h>

#include "platform/DirectoryLock.h"

namespace platform {

bool DirectoryLock::Acquire(const std::string& path, uint32_t* error) {
    Release();
    // No sharing at all: a second open anywhere fails until this one closes.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD e = GetLastError();
        if (error)
            *error = e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION ? kErrLockHeld : e;
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(h);
    if (error) *error = 0;
    return true;
}

void DirectoryLock::Release() {
    if (handle_ == -1) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

}  // namespace platform
