#include "framework/CaseFold.h"

#include "framework/Cp1251.h"
#include "framework/Utf8.h"

namespace casefold {

namespace {

// In the blocks where capitals and small letters alternate, whether cp is
// the capital of its pair (capitals on even code points when `evenUpper`).
bool PairUpper(uint32_t cp, bool evenUpper) {
    return ((cp & 1) == 0) == evenUpper;
}

}  // namespace

uint32_t Fold(uint32_t cp) {
    if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 0x20 : cp;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
    if (cp < 0x100) return cp;
    // Latin Extended-A.
    if ((cp <= 0x137 || (cp >= 0x14A && cp <= 0x177)) && PairUpper(cp, true) && cp != 0x130)
        return cp + 1;
    if (((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) && PairUpper(cp, false))
        return cp + 1;
    if (cp == 0x178) return 0xFF;
    // Greek.
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;
    if (cp == 0x386) return 0x3AC;
    if (cp >= 0x388 && cp <= 0x38A) return cp + 0x25;
    if (cp == 0x38C) return 0x3CC;
    if (cp == 0x38E || cp == 0x38F) return cp + 0x3F;
    if (cp == 0x3C2) return 0x3C3;  // final sigma
    // Cyrillic.
    if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
    if (((cp >= 0x460 && cp <= 0x481) || (cp >= 0x48A && cp <= 0x4BF) ||
         (cp >= 0x4D0 && cp <= 0x4FF)) &&
        PairUpper(cp, true))
        return cp + 1;
    if (cp >= 0x4C1 && cp <= 0x4CE && PairUpper(cp, false)) return cp + 1;
    if (cp == 0x4C0) return 0x4CF;
    return cp;
}

void DecodedText(const char* text, size_t n, std::vector<uint32_t>* codePoints,
                 std::vector<uint32_t>* offsets) {
    codePoints->clear();
    if (offsets) offsets->clear();
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    const bool utf8 = cp1251::LooksLikeUtf8(text, n);
    for (size_t i = 0; i < n;) {
        uint32_t cp = u[i];
        size_t len = 1;
        if (utf8)
            len = utf8::Decode(u + i, n - i, &cp);
        else if (cp >= 0x80)
            cp = cp1251::ToUnicode(u[i]);
        codePoints->push_back(cp);
        if (offsets) offsets->push_back(static_cast<uint32_t>(i));
        i += len ? len : 1;
    }
}

void FoldedText(const char* text, size_t n, std::vector<uint32_t>* codePoints,
                std::vector<uint32_t>* offsets) {
    DecodedText(text, n, codePoints, offsets);
    for (uint32_t& cp : *codePoints) cp = Fold(cp);
}

bool IsLetter(uint32_t cp) {
    if ((cp | 0x20) >= 'a' && (cp | 0x20) <= 'z') return true;
    if (cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7) return true;
    return (cp >= 0x370 && cp <= 0x1FFF && cp != 0x37E && cp != 0x387) ||
           (cp >= 0x3040 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF);
}

bool HasLetter(const char* text, size_t n) {
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    if (!cp1251::LooksLikeUtf8(text, n)) {
        for (size_t i = 0; i < n; ++i)
            if (cp1251::IsLetter(u[i])) return true;
        return false;
    }
    for (size_t i = 0; i < n;) {
        uint32_t cp = 0;
        const size_t len = utf8::Decode(u + i, n - i, &cp);
        i += len ? len : 1;
        if (IsLetter(cp)) return true;
    }
    return false;
}

}  // namespace casefold
