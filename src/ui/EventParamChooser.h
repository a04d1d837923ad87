#pragma once
// The chooser of a notification event's parameter, shared by the dialogs
// that edit an event: a file-open dialog for the wave file of a sound event
// or the program of a run-program event.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/AStr.h"

// Asks for the file of an event of this kind (2 sound, 4 program); true
// with *param set when one was chosen. A program path with a blank comes
// back in double quotes; a wave file as it is. Other kinds ask nothing.
bool ChooseEventParameter(HWND owner, uint8_t kind, AStr* param);
