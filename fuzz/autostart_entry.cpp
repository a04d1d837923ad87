// The autostart desktop entry read from arbitrary bytes: whatever the file
// holds, the question "does it start the program" gets an answer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Autostart.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/ovisto-fuzz-autostart-XXXXXX";
        return std::string(mkdtemp(name) ? name : "/tmp");
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::SetAutostartPlace(Folder());
    const std::string entry = Folder() + "/Orvex Vistomer.desktop";
    if (FILE* f = std::fopen(entry.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    platform::IsAutostart("Orvex Vistomer");
    return 0;
}
