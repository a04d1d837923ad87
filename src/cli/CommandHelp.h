#pragma once
// The words of "ovisto-cli COMMAND --help": what a command does and what
// each of its options means.
#include <string>

// The help of a command (by name), after its usage line; empty for none.
std::string CommandHelp(const std::string& name);
