// The links of a page from arbitrary bytes, read in blocks of sizes the
// input chooses, through a small buffer so that block edges are crossed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "import/SourceReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    long step = 1 + data[0] % 97;
    const char* text = reinterpret_cast<const char*>(data + 1);
    long left = static_cast<long>(size - 1);
    BlockReader read = [&](char* buffer, long capacity, uint32_t*) {
        long n = std::min({step, capacity, left});
        std::memcpy(buffer, text, static_cast<size_t>(n));
        text += n;
        left -= n;
        return n;
    };
    ImportNode into;
    if (ExtractPageLinks(read, into, ItemProperties(), 1024) != 0) std::abort();
    for (const ImportNode* e = into.FirstEntry(); e; e = e->NextEntry())
        if (e->properties.name.Length() < 7) std::abort();
    return 0;
}
