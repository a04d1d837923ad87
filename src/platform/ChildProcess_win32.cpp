#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "platform/ChildProcess.h"

namespace platform {
namespace {

std::wstring Wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
    w.resize(static_cast<size_t>(n - 1));
    return w;
}

// One argument quoted so that the C runtime's splitting gives it back.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    if (!line.empty()) line += L' ';
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

HANDLE OpenOutput(const std::string& path, SECURITY_ATTRIBUTES* sa) {
    return CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, sa,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (!handle_) return;
    if (!ended_) {
        Kill();
        int code;
        Wait(5000, &code);
    }
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool ChildProcess::Start(const std::vector<std::string>& args, const std::string& stdoutPath,
                         const std::string& stderrPath,
                         const std::vector<std::string>& environment) {
    if (args.empty() || handle_) return false;
    std::wstring line;
    for (const std::string& a : args) AppendQuoted(line, Wide(a));
    for (const std::string& e : environment) {
        size_t eq = e.find('=');
        if (eq != std::string::npos)
            SetEnvironmentVariableW(Wide(e.substr(0, eq)).c_str(), Wide(e.substr(eq + 1)).c_str());
    }
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE out = OpenOutput(stdoutPath, &sa), err = OpenOutput(stderrPath, &sa);
    HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                            OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi = {};
    BOOL ok = out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
              CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &si, &pi);
    for (HANDLE h : {in, out, err})
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (!ok) return false;
    CloseHandle(pi.hThread);
    handle_ = reinterpret_cast<intptr_t>(pi.hProcess);
    id_ = pi.dwProcessId;
    return true;
}

bool ChildProcess::Wait(uint32_t ms, int* exitCode) {
    if (!handle_) return false;
    if (!ended_) {
        HANDLE h = reinterpret_cast<HANDLE>(handle_);
        if (WaitForSingleObject(h, ms) != WAIT_OBJECT_0) return false;
        DWORD code = 0;
        GetExitCodeProcess(h, &code);
        exitCode_ = static_cast<int>(code);
        ended_ = true;
    }
    if (exitCode) *exitCode = exitCode_;
    return true;
}

void ChildProcess::Interrupt() {
    Kill();
}

void ChildProcess::Kill() {
    if (handle_ && !ended_) TerminateProcess(reinterpret_cast<HANDLE>(handle_), 130);
}

uint64_t ChildProcess::ResidentBytes() const {
    return 0;
}

int StartUserProgram(const std::string& program, const std::string& arguments) {
    HINSTANCE r =
        ShellExecuteA(nullptr, "open", program.c_str(), arguments.c_str(), ".", SW_SHOWDEFAULT);
    intptr_t code = reinterpret_cast<intptr_t>(r);
    return code < 33 ? static_cast<int>(code) : 0;
}

}  // namespace platform
