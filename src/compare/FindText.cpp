#include "compare/FindText.h"

#include <cstring>
#include <string>

#include "framework/Cp1251.h"

long FindText(const char* text, size_t textLength, const char* key, size_t keyLength,
              bool matchCase) {
    if (textLength < keyLength) return -1;
    if (keyLength == 0) return 0;
    if (matchCase) {
        for (size_t at = 0; at + keyLength <= textLength; ++at)
            if (std::memcmp(text + at, key, keyLength) == 0) return static_cast<long>(at);
        return -1;
    }
    std::string upperKey(key, keyLength);
    cp1251::UpperBuff(&upperKey[0], keyLength);
    const auto* k = reinterpret_cast<const unsigned char*>(upperKey.data());
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    for (size_t at = 0; at + keyLength <= textLength; ++at) {
        size_t i = 0;
        while (i < keyLength && cp1251::ToUpper(t[at + i]) == k[i]) ++i;
        if (i == keyLength) return static_cast<long>(at);
    }
    return -1;
}
