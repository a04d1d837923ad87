// The open command of the program that shows pages, as the registry holds
// it, made into a call for an address: the program is a piece of the
// command, and the address is in the arguments (for "%1" or after them).
#include <cstddef>
#include <cstdint>
#include <string>

#include "panes/PaneCommands.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The command, then after the first NUL the address.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t cut = bytes.find('\0');
    std::string command = bytes.substr(0, cut);
    std::string url = cut == std::string::npos ? "http://a.example/" : bytes.substr(cut + 1);
    url = url.substr(0, url.find('\0'));
    ProgramCall call = BrowserCall(command.c_str(), url.c_str());
    Check(command.find(call.program.c_str()) != std::string::npos);
    if (!call.program.IsEmpty())
        Check(std::string(call.arguments.c_str()).find(url) != std::string::npos);
    return 0;
}
