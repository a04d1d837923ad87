#include "shell/gui/DApplication.h"

#include "shell/gui/DWindow.h"

DApplication::DApplication(HINSTANCE instance, HINSTANCE previous, const char* commandLine,
                           int showCommand)
    : instance_(instance),
      previous_(previous),
      commandLine_(commandLine),
      showCommand_(showCommand) {}

DApplication::~DApplication() = default;

bool DApplication::InitInstance() {
    if (!CreateMainWindow() || !mainWindow_ || !mainWindow_->Handle()) return false;
    HWND main = mainWindow_->Handle();
    if (!IsWindowVisible(main) && !IsIconic(main)) {
        ShowWindow(main, showCommand_);
        UpdateWindow(main);
    }
    return true;
}

bool DApplication::InitApplication() {
    return true;
}

bool DApplication::CreateMainWindow() {
    return false;
}

int DApplication::Run() {
    if (!previous_ && !InitApplication()) return -1;
    if (!InitInstance()) return -1;
    return MessageLoop();
}

int DApplication::MessageLoop() {
    long idleCount = 0;
    bool moreIdle = true;
    for (;;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            if (msg.message == WM_KEYUP && msg.wParam == VK_PAUSE) PauseKey();
            PreTranslate(msg);
            idleCount = 0;
        } else if (idleCount > 0 && !moreIdle) {
            WaitMessage();
        } else {
            moreIdle = Idle(idleCount);
            ++idleCount;
        }
    }
}

// Keys in a modeless dialog (tab, Enter, Esc) go to its dialog manager; a
// modal one runs its own loop and never gets here.
bool DApplication::ModelessDialogMessage(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root || (mainWindow_ && root == mainWindow_->Handle())) return false;
    wchar_t name[8] = L"";
    GetClassNameW(root, name, 8);
    return lstrcmpW(name, L"#32770") == 0 && IsDialogMessageW(root, &msg);
}

void DApplication::PreTranslate(MSG& msg) {
    if (ModelessDialogMessage(msg)) return;
    if (MainWindowPreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool DApplication::MainWindowPreTranslate(MSG& msg) {
    return mainWindow_ && mainWindow_->PreTranslate(msg);
}

bool DApplication::Idle(long) {
    return false;
}

void DApplication::PauseKey() {}
