#include "ProgramCopy.h"

#include "platform/Files.h"

namespace {

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid == s->process && lstrcmpW(cls, s->className) == 0 && IsWindowVisible(w)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

std::wstring WindowCaption(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

ProgramCopy::ProgramCopy(const std::vector<std::string>& modules) {
    std::string bin = platform::ProgramDirectory();
    std::vector<std::string> files = modules;
    files.push_back("ovisto.exe");
    for (const std::string& f : files)
        platform::CopyFileTo(platform::JoinPath(bin, f).c_str(), dir_.File(f).c_str(), false);
}

ProgramCopy::~ProgramCopy() {
    for (PROCESS_INFORMATION& p : processes_) {
        if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(p.hProcess, 1);
            WaitForSingleObject(p.hProcess, 10000);
        }
        CloseHandle(p.hProcess);
        CloseHandle(p.hThread);
    }
}

bool ProgramCopy::Start(const std::string& arguments) {
    std::string line = "\"" + dir_.File("ovisto.exe") + "\"";
    if (!arguments.empty()) line += " " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir_.Path().c_str(),
                        &si, &pi))
        return false;
    processes_.push_back(pi);
    return true;
}

HWND ProgramCopy::FindWindowOfProcess(const wchar_t* className) const {
    if (processes_.empty()) return nullptr;
    Search s{processes_.back().dwProcessId, className, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND ProgramCopy::WaitForMainWindow(DWORD milliseconds) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            return (found = FindWindowOfProcess(L"OrvexWindowClass")) != nullptr || !IsRunning();
        },
        milliseconds);
    return found;
}

HWND ProgramCopy::StartAndShow(const std::string& arguments) {
    return Start(arguments) ? WaitForMainWindow() : nullptr;
}

HWND ProgramCopy::WaitForDialog(DWORD milliseconds) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowOfProcess(L"#32770")) != nullptr || !IsRunning(); },
            milliseconds);
    return found;
}

bool ProgramCopy::IsRunning() const {
    return !processes_.empty() &&
           WaitForSingleObject(processes_.back().hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramCopy::WaitForExit(DWORD* exitCode, DWORD milliseconds) {
    if (processes_.empty() || !WaitFor([&] { return !IsRunning(); }, milliseconds)) return false;
    return GetExitCodeProcess(processes_.back().hProcess, exitCode) != 0;
}

bool ProgramCopy::Close(HWND mainWindow, DWORD* exitCode) {
    DWORD pid = 0;
    GetWindowThreadProcessId(mainWindow, &pid);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    for (PROCESS_INFORMATION& p : processes_) {
        if (p.dwProcessId != pid) continue;
        if (!WaitFor([&] { return WaitForSingleObject(p.hProcess, 0) != WAIT_TIMEOUT; }, 30000))
            return false;
        return GetExitCodeProcess(p.hProcess, exitCode) != 0;
    }
    return false;
}
