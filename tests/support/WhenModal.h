#pragma once
// For window tests: runs a step once the modal loop of a dialog, a sheet or a
// message box of this thread has started (from a thread timer).
#include <windows.h>

#include <functional>
#include <utility>

inline void WhenModal(std::function<void()> step) {
    static std::function<void()> pending;
    pending = std::move(step);
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto run = std::move(pending);
        run();
    });
}
