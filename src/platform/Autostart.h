#pragma once
// The entry that starts a program when the user logs on. Windows keeps it as
// a string value in HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run;
// the portable build as a desktop entry "<name>.desktop" in the XDG
// autostart folder ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart),
// whose Exec line names the program.
#include <string>

namespace platform {

// True when the entry exists and names a program.
bool IsAutostart(const char* name);
// Makes or removes the entry; false when that failed.
bool SetAutostart(const char* name, const char* program, bool on);

// The full path of the running program's executable.
std::string ExecutablePath();

// For tests: keep the entries elsewhere (a key below HKEY_CURRENT_USER, or
// a folder); an empty place restores the real one.
void SetAutostartPlace(const std::string& place);

}  // namespace platform
