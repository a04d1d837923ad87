#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <atomic>
#include <cstdio>

#include "platform/ConsoleIo.h"

namespace platform {
namespace {

std::atomic<bool> g_stop{false};

BOOL WINAPI OnConsoleControl(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            g_stop.store(true);
            return TRUE;
        default:
            return FALSE;
    }
}

std::string ToUtf8(const wchar_t* s) {
    int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) args.push_back(ToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

void PrepareConsoleOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

void InstallStopHandler() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}
bool StopRequested() {
    return g_stop.load();
}
void RequestStop() {
    g_stop.store(true);
}

}  // namespace platform

namespace platform {

std::string PathFromUtf8(const std::string& path) {
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.c_str(), -1, nullptr, 0);
    if (n <= 1) return path;  // not UTF-8: already in the code page
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], n);
    int m = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (m <= 1) return path;
    std::string out(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &out[0], m, nullptr, nullptr);
    out.resize(static_cast<size_t>(m - 1));
    return out;
}

}  // namespace platform
