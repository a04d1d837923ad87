#pragma once
// Other programs: a child process whose output goes to files (for programs
// that drive a console program and read what it wrote), and the start of a
// user's program for a notification event.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();  // a child still running is killed
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts args[0] with the other arguments; standard input is empty,
    // standard output and error are written to the two files (created or
    // truncated). `environment` entries "NAME=value" are added to the
    // parent's environment.
    bool Start(const std::vector<std::string>& args, const std::string& stdoutPath,
               const std::string& stderrPath, const std::vector<std::string>& environment = {});
    // Waits up to ms milliseconds for the end; true with the exit code when
    // the child has ended.
    bool Wait(uint32_t ms, int* exitCode);
    // Asks the child to stop as an interrupt from the keyboard would (SIGINT;
    // on Windows, where no such signal reaches a child, it is terminated).
    void Interrupt();
    void Kill();
    // The operating system's process id (0 when none was started).
    unsigned long Id() const { return id_; }
    // Bytes of memory the running child holds (its resident set or working
    // set); 0 when unknown.
    uint64_t ResidentBytes() const;

  private:
    intptr_t handle_ = 0;
    unsigned long id_ = 0;
    bool ended_ = false;
    int exitCode_ = 0;
};

// Starts `program` with the argument text in working directory "." without
// waiting for it (Windows: the shell's "open" verb; elsewhere the program
// is executed directly with the words of SplitArguments: no shell ever sees
// the text). 0, or an error code below 33 in the manner of the shell's
// answer.
int StartUserProgram(const std::string& program, const std::string& arguments);

// The words of an argument text by the rule Windows programs read their
// command line with: blanks and tabs separate words; double quotes group
// and are removed; 2n backslashes before a quote give n backslashes and the
// quote groups, 2n+1 give n backslashes and a literal quote; other
// backslashes are literal. Nothing else ($, `, ;, |, *) means anything.
std::vector<std::string> SplitArguments(const std::string& text);

}  // namespace platform
