#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/ChildProcess.h"
#include "platform/Clock.h"

extern char** environ;

namespace platform {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (std::string& s : texts) p.push_back(&s[0]);
    p.push_back(nullptr);
    return p;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (handle_ && !ended_) {
        Kill();
        int code;
        Wait(5000, &code);
    }
}

bool ChildProcess::Start(const std::vector<std::string>& args, const std::string& stdoutPath,
                         const std::string& stderrPath,
                         const std::vector<std::string>& environment) {
    if (args.empty() || handle_) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> argText = args;
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) envText.push_back(*e);
    for (const std::string& e : environment) envText.push_back(e);
    std::vector<char*> argv = Pointers(argText), envp = Pointers(envText);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    handle_ = pid;
    id_ = static_cast<unsigned long>(pid);
    return true;
}

bool ChildProcess::Wait(uint32_t ms, int* exitCode) {
    if (!handle_) return false;
    uint32_t start = TickCount();
    while (!ended_) {
        int status = 0;
        pid_t r = waitpid(static_cast<pid_t>(handle_), &status, WNOHANG);
        if (r == static_cast<pid_t>(handle_)) {
            ended_ = true;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (r < 0 && errno != EINTR) return false;
        if (TickCount() - start >= ms) return false;
        SleepMs(10);
    }
    if (exitCode) *exitCode = exitCode_;
    return true;
}

void ChildProcess::Interrupt() {
    if (handle_ && !ended_) kill(static_cast<pid_t>(handle_), SIGINT);
}

void ChildProcess::Kill() {
    if (handle_ && !ended_) kill(static_cast<pid_t>(handle_), SIGKILL);
}

uint64_t ChildProcess::ResidentBytes() const {
    if (!handle_ || ended_) return 0;
    std::ifstream status("/proc/" + std::to_string(handle_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") != 0) continue;
        std::istringstream value(line.substr(6));
        uint64_t kb = 0;
        value >> kb;
        return kb * 1024;
    }
    return 0;
}

int StartUserProgram(const std::string& program, const std::string& arguments) {
    if (program.empty()) return 2;  // file not found
    if (program.find('/') != std::string::npos && access(program.c_str(), X_OK) != 0) return 2;
    std::vector<std::string> args = SplitArguments(arguments);
    args.insert(args.begin(), program);
    std::vector<char*> argv = Pointers(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    // A bare name is looked up along PATH, as the shell would have done.
    int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return 2;
    // Reap it in the background so that no zombie is left behind.
    std::thread([pid] {
        int status;
        waitpid(pid, &status, 0);
    }).detach();
    return 0;
}

}  // namespace platform
