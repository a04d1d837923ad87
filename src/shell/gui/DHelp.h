#pragma once
// Help: the language's help file opened with WinHelp. Every window and
// dialog asks through here, so that a test can see which help was asked for
// without a help viewer.
#include <windows.h>

#include <functional>

// Help contexts of the main window: a request over a window, over a menu item.
enum : ULONG_PTR {
    kHelpContextWindow = 1000,
    kHelpContextMenuItem = 1002,
};

// What a help request does: (owner, help file, WinHelp command, data).
using DHelpCall = std::function<bool(HWND, const char*, UINT, ULONG_PTR)>;

// Replaces the WinHelp call (null restores it); the previous one is returned.
DHelpCall SetHelpCall(DHelpCall call);
// Opens the help file of the language with a WinHelp command.
bool ShowHelp(HWND owner, UINT command, ULONG_PTR data);
// The answer to WM_HELP: the window context, or the menu item one when the
// request came from a menu.
bool ShowHelpFor(HWND owner, const HELPINFO* info);
