#pragma once
// The edges of a console program: its arguments as UTF-8, its standard
// output taking UTF-8 bytes unchanged, and a stop request by Ctrl+C,
// SIGINT or SIGTERM.
#include <string>
#include <vector>

namespace platform {

// The program's arguments (argv[0] included) in UTF-8. Windows takes them
// from the wide command line, so that no text is lost to the ANSI code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Standard output and error take bytes as they are (no line-end
// translation) and a console shows them as UTF-8.
void PrepareConsoleOutput();

// From now on an interrupt or terminate request only sets the stop flag.
void InstallStopHandler();
bool StopRequested();
// Sets the flag as the handler does (for tests and for the program itself).
void RequestStop();

}  // namespace platform

namespace platform {

// A path typed in UTF-8 as the file functions of this platform take it
// (POSIX: unchanged; Windows: in the ANSI code page of the A functions).
std::string PathFromUtf8(const std::string& path);

}  // namespace platform
