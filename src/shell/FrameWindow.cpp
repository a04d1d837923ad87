#include "shell/FrameWindow.h"

#include "lang/CommandIds.h"
#include "shell/SingleInstance.h"

namespace {

FrameWindow* g_mainWindow = nullptr;

}  // namespace

FrameWindow* TheMainWindow() { return g_mainWindow; }
void SetTheMainWindow(FrameWindow* window) { g_mainWindow = window; }

FrameWindow::~FrameWindow() {
    Destroy();
    if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool FrameWindow::Create(HINSTANCE instance, const char* caption, HMENU menu) {
    if (!RegisterWindowClass(instance, kMainWindowClass, CS_DBLCLKS, nullptr, nullptr) ||
        !DWindow::Create(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kMainWindowClass, caption,
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance)) {
        if (menu) DestroyMenu(menu);
        return false;
    }
    return true;
}

void FrameWindow::NewWebPage(const AStr& address) {
    pendingNewPages_.push_back(address);
    OutputDebugStringA("new web page requested: ");
    OutputDebugStringA(address.c_str());
    OutputDebugStringA("\n");
}

void FrameWindow::Restore() {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
}

void FrameWindow::OnDestroy() {
    if (g_mainWindow == this) g_mainWindow = nullptr;
    PostQuitMessage(0);
}

bool FrameWindow::OnCommand(int id, int code, HWND) {
    if (code != 0 && code != 1) return false;
    switch (id) {
        case CMD_RESTORE:
            Restore();
            return true;
        case CMD_NEW_WEB_PAGE:
        case CMD_FIRST_START_NEW_PAGE:
            NewWebPage(AStr());
            return true;
        default:
            return false;
    }
}

bool FrameWindow::OnRegisteredMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (probe_ == 0 || message != probe_) return false;
    *result = static_cast<LRESULT>(probe_);
    return true;
}
