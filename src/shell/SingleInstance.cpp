#include "shell/SingleInstance.h"

#include "shell/ProgramPaths.h"

namespace {

UINT g_probe = 0;

}  // namespace

UINT RegisterProbeMessage() {
    g_probe = RegisterWindowMessageA(ProgramPath("OVISTO.CFG").c_str());
    return g_probe;
}

UINT ProbeMessage() {
    return g_probe;
}

HWND FindRunningCopy(UINT probe) {
    if (!probe) return nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kMainWindowClass, nullptr)) {
        DWORD_PTR answer = 0;
        // A hung window is passed over rather than waited for.
        if (!SendMessageTimeoutW(w, probe, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 30000, &answer))
            continue;
        if (answer == probe) return w;
    }
    return nullptr;
}
