#pragma once
// One running copy per program directory: each copy registers a window
// message named after the path of its watch list file, and its main window
// answers that message with the message's own number.
#include <windows.h>

// The main window class every copy registers.
extern const wchar_t kMainWindowClass[];

// Registers the probe message of this copy's program directory.
UINT RegisterProbeMessage();
// The probe message of this copy (0 before RegisterProbeMessage).
UINT ProbeMessage();
// The main window of a copy running from the same directory: the first
// top-level window of the main class that answers the probe with its
// number; null when there is none.
HWND FindRunningCopy(UINT probe);
