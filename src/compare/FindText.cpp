#include "compare/FindText.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/CaseFold.h"
#include "framework/Cp1251.h"

namespace {

// The search by code points, Unicode letters folded, for a text or key that
// is UTF-8: either may be 1251, both are read by the display rule.
long FindFolded(const char* text, size_t textLength, const char* key, size_t keyLength) {
    std::vector<uint32_t> t, tOffsets, k, kOffsets;
    casefold::FoldedText(text, textLength, &t, &tOffsets);
    casefold::FoldedText(key, keyLength, &k, &kOffsets);
    if (k.empty()) return 0;
    auto found = std::search(t.begin(), t.end(), k.begin(), k.end());
    return found == t.end() ? -1
                            : static_cast<long>(tOffsets[static_cast<size_t>(found - t.begin())]);
}

}  // namespace

long FindText(const char* text, size_t textLength, const char* key, size_t keyLength,
              bool matchCase) {
    if (textLength < keyLength) return -1;
    if (keyLength == 0) return 0;
    if (matchCase) {
        for (size_t at = 0; at + keyLength <= textLength; ++at)
            if (std::memcmp(text + at, key, keyLength) == 0) return static_cast<long>(at);
        return -1;
    }
    if (cp1251::LooksLikeUtf8(text, textLength) || cp1251::LooksLikeUtf8(key, keyLength))
        return FindFolded(text, textLength, key, keyLength);
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
