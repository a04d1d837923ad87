// The main window in the notification area: its icon with the window title
// as tip, the blinking that tells of news, the popup menu and the double
// click that brings the window back.
#include "ui/FrameWindow.h"  // first: <windows.h> before Lang.h

#include "lang/CommandIds.h"
#include "platform/Lang.h"

namespace {

// Tray messages: the mouse message in lParam.
constexpr LPARAM kLeftDoubleClick = 0x203;
constexpr LPARAM kRightButtonUp = 0x205;
constexpr LPARAM kContextMenu = 0x7B;
constexpr int kTrayMenu = 2;

HICON LoadTrayIcon(HINSTANCE instance, int id) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

void FrameWindow::AddTrayIcon() {
    HICON icon = LoadTrayIcon(args_.instance, 3);
    tray_.Add(Handle(), kTrayMessage, icon, windowTitle_);
    if (icon) DestroyIcon(icon);
    trayIcon_ = 3;
}

void FrameWindow::SetTrayIcon(int iconId) {
    HICON icon = LoadTrayIcon(args_.instance, iconId);
    tray_.SetIcon(icon);
    if (icon) DestroyIcon(icon);
    trayIcon_ = iconId;
}

void FrameWindow::StartBlink() {
    if (blinkTimer_) return;
    blinkTimer_ = SetTimer(Handle(), kBlinkTimer, kBlinkMs, nullptr);
}

void FrameWindow::StopBlink() {
    if (!blinkTimer_) return;
    KillTimer(Handle(), kBlinkTimer);
    blinkTimer_ = 0;
    blinkPhase_ = 0;
    SetTrayIcon(3);
}

void FrameWindow::OnTrayMessage(LPARAM mouse) {
    if (mouse == kLeftDoubleClick)
        PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(CMD_RESTORE, 0), 0);
    else if (mouse == kRightButtonUp || mouse == kContextMenu)
        ShowTrayMenu();
}

void FrameWindow::ShowTrayMenu() {
    HMENU menu = static_cast<HMENU>(LoadMenu(kTrayMenu));
    if (!menu) return;
    if (HMENU popup = GetSubMenu(menu, 0)) {
        SetMenuDefaultItem(popup, 0, TRUE);
        POINT at;
        GetCursorPos(&at);
        // The window must be in front, or the menu stays open after a
        // click elsewhere.
        SetForegroundWindow(Handle());
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
        PostMessageW(Handle(), WM_NULL, 0, 0);
    }
    DestroyMenu(menu);
}
