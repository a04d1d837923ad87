// Language module contents read from arbitrary bytes: a string-table block
// and a format string (texts of a module are formats for FormatText).
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Lang.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AStr text;
    for (unsigned index = 0; index < 16; ++index) {
        platform::StringFromTableBlock(data, size, index, &text, 1024);
        platform::StringFromTableBlock(data, size, index, &text, 3);
    }
    std::string format(reinterpret_cast<const char*>(data), size);
    FormatWith(format.c_str(), {});
    FormatWith(format.c_str(), {1, "two", -3, 4u, "five", 6LL});
    return 0;
}
