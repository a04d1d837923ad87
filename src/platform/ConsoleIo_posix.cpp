#include <signal.h>

#include <atomic>

#include "platform/ConsoleIo.h"

namespace platform {
namespace {

std::atomic<bool> g_stop{false};

void OnStopSignal(int) {
    g_stop.store(true);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void PrepareConsoleOutput() {}

void InstallStopHandler() {
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A reader that went away (a closed pipe) must not end the program.
    signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() {
    return g_stop.load();
}
void RequestStop() {
    g_stop.store(true);
}

}  // namespace platform

namespace platform {

std::string PathFromUtf8(const std::string& path) {
    return path;
}

}  // namespace platform
