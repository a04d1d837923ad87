// Program options read from an arbitrary settings file. Beyond not crashing:
// once saved, the options read back the same at every further round.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "watchlist/Options.h"

namespace {

std::string Path() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/ovisto-fuzz-" + std::to_string(getpid()) +
           ".ini";
}

bool Same(const StrList& a, const StrList& b) {
    const StrNode *x = a.First(), *y = b.First();
    for (; x && y; x = x->Next(), y = y->Next())
        if (*x != *y) return false;
    return !x && !y;
}

bool Same(const Options& a, const Options& b) {
    return a.language == b.language && a.split == b.split && a.proxyOn == b.proxyOn &&
           a.proxy == b.proxy && a.proxyPort == b.proxyPort && a.proxyUser == b.proxyUser &&
           a.proxyPassword == b.proxyPassword && a.savePassword == b.savePassword &&
           a.event.type == b.event.type && a.event.param == b.event.param &&
           a.outputLimit == b.outputLimit && a.suspended == b.suspended &&
           a.maxThreads == b.maxThreads && a.maxNews == b.maxNews &&
           Same(a.searchHistory, b.searchHistory) && a.searchMatchCase == b.searchMatchCase &&
           a.searchWholeWord == b.searchWholeWord;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = Path();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Options first;
    LoadOptions(first, path);
    SaveOptions(first, path);
    SaveDefaults(first.defaults, path);
    Options second;
    LoadOptions(second, path);
    SaveOptions(second, path);
    Options third;
    LoadOptions(third, path);
    std::remove(path.c_str());
    if (!Same(second, third)) __builtin_trap();
    return 0;
}
