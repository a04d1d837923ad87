// The argument text of a run-program event, split into the words a program
// is started with (no shell sees it). Quoting the words again by the same
// rule and splitting the result must give the same words back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ChildProcess.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// One word as a Windows command line carries it.
std::string Quoted(const std::string& word) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words = platform::SplitArguments(text);
    std::string again;
    for (const std::string& w : words) again += (again.empty() ? "" : " ") + Quoted(w);
    Check(platform::SplitArguments(again) == words);
    return 0;
}
