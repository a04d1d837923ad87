#include <windows.h>

#include "platform/ShellFolders.h"

namespace platform {

std::string FavoritesFolder() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    char data[MAX_PATH * 2] = {};
    DWORD size = sizeof data - 1, type = 0;
    LONG r =
        RegQueryValueExA(key, "Favorites", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
    return std::string(data);
}

}  // namespace platform
