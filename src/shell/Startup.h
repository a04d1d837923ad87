#pragma once
// The process entry: one copy per program directory, options, language,
// setup switches, then the application with OLE around its run.
#include <windows.h>

// The process's exit code: 0 when another copy runs from this directory or
// setup ends the run, -1 when the main window cannot be made, else the
// quit message's code.
int ProcessEntry(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);
