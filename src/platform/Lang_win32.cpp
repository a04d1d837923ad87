// Language modules are resource-only libraries; texts shown from them and
// from the system are taken as UTF-16 and converted by the system's own
// 1251 table, so they never depend on the user's ANSI code page.
#include <windows.h>

#include <string>

#include "framework/Cp1251.h"
#include "platform/Lang.h"

namespace platform {

void* LoadLibraryFile(const char* path) {
    if (!path || !*path) return nullptr;
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE m = LoadLibraryA(path);
    SetErrorMode(old);
    return m;
}

void FreeLibraryModule(void* module) {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
}

void* LoadModuleMenu(void* module, unsigned id) {
    // Without a module the look-up would search the executable, which holds
    // no menus of the interface.
    if (!module) return nullptr;
    return LoadMenuW(static_cast<HMODULE>(module), MAKEINTRESOURCEW(id));
}

bool SystemErrorText(uint32_t code, char* buffer, size_t size) {
    if (size == 0) return false;
    wchar_t wide[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), wide, 512, nullptr);
    while (n > 0 && (wide[n - 1] == L'\r' || wide[n - 1] == L'\n' || wide[n - 1] == L' ')) --n;
    size_t out = 0;
    for (DWORD i = 0; i < n && out + 1 < size; ++i)
        buffer[out++] = static_cast<char>(cp1251::FromUnicode(wide[i]));
    buffer[out] = '\0';
    return out > 0;
}

}  // namespace platform
