#include "framework/Utf8.h"

#include <cstring>

namespace utf8 {

size_t Decode(const unsigned char* s, size_t n, uint32_t* codePoint) {
    if (n == 0) return 0;
    const unsigned char c = s[0];
    size_t len;
    uint32_t v;
    if (c < 0x80) {
        *codePoint = c;
        return 1;
    }
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        v = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        v = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        v = c & 0x07;
    } else {
        return 0;
    }
    if (len > n) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        v = (v << 6) | (s[i] & 0x3F);
    }
    static const uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (v < kMin[len] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
    *codePoint = v;
    return len;
}

size_t Encode(uint32_t cp, char* out) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (cp >> 12));
        out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

void Append(std::string& out, uint32_t codePoint) {
    char bytes[4];
    out.append(bytes, Encode(codePoint, bytes));
}

size_t AsciiRun(const char* s, size_t n) {
    size_t i = 0;
    for (uint64_t word; n - i >= 8; i += 8) {
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

bool IsValid(const char* s, size_t n) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(s);
    for (size_t i = 0; i < n;) {
        if (u[i] < 0x80) {
            i += AsciiRun(s + i, n - i);
            continue;
        }
        uint32_t cp;
        size_t len = Decode(u + i, n - i, &cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

}  // namespace utf8
