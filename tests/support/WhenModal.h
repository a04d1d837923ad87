#pragma once
// For window tests: runs a step once the modal loop of a dialog, a sheet or a
// message box of this thread has started (from a thread timer). The timer
// waits until a dialog of this thread is the active window, so that a slow
// machine does not run the step before the dialog exists; after ten seconds
// without one the step runs anyway, and the test fails instead of hanging.
#include <windows.h>

#include <cwchar>
#include <functional>
#include <utility>

inline bool ADialogIsActive() {
    HWND active = GetActiveWindow();
    wchar_t name[16] = L"";
    return active && GetClassNameW(active, name, 16) && std::wcscmp(name, L"#32770") == 0 &&
           IsWindowEnabled(active);
}

inline void WhenModal(std::function<void()> step) {
    static std::function<void()> pending;
    static int waited;
    pending = std::move(step);
    waited = 0;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (!ADialogIsActive() && ++waited < 200) return;  // the timer comes again
        KillTimer(nullptr, id);
        auto run = std::move(pending);
        run();
    });
}
