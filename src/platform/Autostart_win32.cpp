#include "platform/Autostart.h"

#include <windows.h>

#include <cstring>

namespace platform {
namespace {

std::string& Place() {
    static std::string place;
    return place;
}

const char* RunKey() {
    return Place().empty() ? "Software\\Microsoft\\Windows\\CurrentVersion\\Run" : Place().c_str();
}

}  // namespace

void SetAutostartPlace(const std::string& place) {
    Place() = place;
}

bool IsAutostart(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char data[MAX_PATH * 2];
    DWORD size = sizeof data, type = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    // A value too long for the buffer still names a program.
    return (r == ERROR_SUCCESS && size > 0 && data[0] != 0) || r == ERROR_MORE_DATA;
}

bool SetAutostart(const char* name, const char* program, bool on) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunKey(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG r;
    if (on) {
        r = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(program),
                           static_cast<DWORD>(std::strlen(program) + 1));
    } else {
        r = RegDeleteValueA(key, name);
        if (r == ERROR_FILE_NOT_FOUND) r = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

std::string ExecutablePath() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return std::string(buf, n);
}

}  // namespace platform
