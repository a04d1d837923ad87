#pragma once
// Paths in the program directory (the folder of the executable).
#include <windows.h>

#include <string>

// Remembers the instance handle every program-directory path is built from.
void SetProgramInstance(HINSTANCE instance);
HINSTANCE ProgramInstance();

// The program directory, a backslash and the file name.
std::string ProgramPath(const char* fileName);
// The program directory, a backslash, the sub-folder, a backslash, the file
// name and the extension.
std::string ProgramPath(const char* fileName, const char* extension, const char* subFolder);
