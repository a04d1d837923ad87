#pragma once
// The program's command line split into arguments by the system's rules:
// blanks and tabs separate, double quotes group, 2n backslashes before a
// quote stand for n and open or close the group, 2n+1 for n and a literal
// quote, and two quotes inside a group for one literal quote.
#include <vector>

#include "framework/AStr.h"

std::vector<AStr> SplitCommandLine(const char* commandLine);
// Whether the first argument is `option` (compared without regard to case).
bool FirstArgumentIs(const std::vector<AStr>& args, const char* option);
