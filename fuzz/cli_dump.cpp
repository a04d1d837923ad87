// `ovisto-cli dump FILE` over arbitrary bytes: a watch list or export file,
// a change log, or a mailbox record file, printed as text and as JSON. A
// file that is none of them ends with a clear message, never a crash or an
// exception escaping (JSON output included: every text is made valid UTF-8).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/Cli.h"

namespace {

const std::string& DumpFile() {
    static const std::string path = [] {
        char name[] = "/tmp/fuzz_cli_dump_XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0) abort();
        close(fd);
        return std::string(name);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = DumpFile();
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) abort();
    if (size) fwrite(data, 1, size, f);
    fclose(f);
    for (bool json : {false, true}) {
        std::ostringstream out, err;
        std::vector<std::string> words;
        if (json) words.push_back("--json");
        words.insert(words.end(), {"dump", path, "--show-passwords"});
        const int status = RunCli(words, out, err);
        if (status != 0 && status != 2) abort();  // only success or bad input
    }
    return 0;
}
