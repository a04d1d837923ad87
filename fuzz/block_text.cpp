// Text handed over in memory blocks by other programs (drops, DDE
// commands): any bytes, any claimed size up to the real one, any limit.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/BlockText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t limit = data[0] * 4u;
    size_t claimed = (size - 2) * data[1] / 255u;
    AStr text = TextOfBlock(data + 2, claimed, limit);
    if (text.Length() > limit || text.Length() > claimed) __builtin_trap();
    if (std::memchr(text.c_str(), 0, text.Length()) != nullptr) __builtin_trap();
    return 0;
}
