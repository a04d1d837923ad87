#include "platform/WindowReportTarget.h"

#include <windows.h>

namespace platform {

uint32_t RegisteredMessage(Report what) {
    static const UINT threadEnd = RegisterWindowMessageA("_WM_THREADEND");
    static const UINT bytesRead = RegisterWindowMessageA("_WM_BYTESREAD");
    return what == Report::kThreadEnd ? threadEnd : bytesRead;
}

bool WindowReportTarget::Post(Report what, uintptr_t param, void* sender) {
    // A window that is gone swallows the message; the worker goes on.
    return PostMessageA(static_cast<HWND>(window_), RegisteredMessage(what),
                        static_cast<WPARAM>(param), reinterpret_cast<LPARAM>(sender)) != 0;
}

}  // namespace platform
