#pragma once
// How a command ends: the exit status and, for a failure, the message the
// user reads on standard error.
#include <string>

enum ExitStatus : int {
    kExitOk = 0,
    kExitUsage = 1,        // the command line is wrong
    kExitBadInput = 2,     // a missing object, a bad value, an unreadable or damaged file
    kExitCheckFailed = 3,  // a check ended with at least one failed object
};

struct CliError {
    int status;
    std::string message;  // UTF-8
};

[[noreturn]] inline void Fail(int status, std::string message) {
    throw CliError{status, std::move(message)};
}
