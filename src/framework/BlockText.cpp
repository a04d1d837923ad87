#include "framework/BlockText.h"

#include <cstring>
#include <string>

AStr TextOfBlock(const void* data, size_t size, size_t limit) {
    if (!data) return AStr();
    size_t n = size < limit ? size : limit;
    if (const void* zero = std::memchr(data, 0, n))
        n = static_cast<size_t>(static_cast<const char*>(zero) - static_cast<const char*>(data));
    return AStr(std::string(static_cast<const char*>(data), n).c_str());
}
