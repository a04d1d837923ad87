// Stored strings, integers and text lines read from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "stream/BinIo.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imwstream in(data, static_cast<long>(size));
    AStr s;
    uint32_t v;
    while (ReadString(in, s) == 0 && ReadU32(in, &v) == 0) {
    }
    imwstream text(data, static_cast<long>(size));
    char line[64];
    while (text.GetLine(line, sizeof line)) {
    }
    return 0;
}
