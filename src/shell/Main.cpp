// ovisto.exe
#include <windows.h>

#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return ProcessEntry(instance, previous, commandLine, showCommand);
}
