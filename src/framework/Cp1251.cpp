#include "framework/Cp1251.h"

#include <cstring>

#include "framework/Utf8.h"

namespace cp1251 {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
const uint16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// Upper/lower pairs among 0x80..0xBF.
const unsigned char kPairs[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

enum : unsigned char { kUpperBit = 1, kLowerBit = 2, kDigitBit = 4 };

struct Tables {
    unsigned char upper[256];
    unsigned char lower[256];
    unsigned char kind[256];
    Tables() {
        for (int c = 0; c < 256; ++c) {
            upper[c] = lower[c] = static_cast<unsigned char>(c);
            kind[c] = 0;
        }
        auto pair = [this](int up, int low) {
            upper[low] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(low);
            kind[up] |= kUpperBit;
            kind[low] |= kLowerBit;
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 32);
        for (const auto& p : kPairs) pair(p[0], p[1]);
        kind[0xB5] |= kLowerBit;  // micro sign: a letter without an upper case here
        for (int c = '0'; c <= '9'; ++c) kind[c] |= kDigitBit;
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

}  // namespace

unsigned char ToUpper(unsigned char c) {
    return T().upper[c];
}
unsigned char ToLower(unsigned char c) {
    return T().lower[c];
}
bool IsLetter(unsigned char c) {
    return (T().kind[c] & (kUpperBit | kLowerBit)) != 0;
}
bool IsAlphaNumeric(unsigned char c) {
    return T().kind[c] != 0;
}
bool IsUpper(unsigned char c) {
    return (T().kind[c] & kUpperBit) != 0;
}
bool IsLower(unsigned char c) {
    return (T().kind[c] & kLowerBit) != 0;
}

void UpperBuff(char* s, size_t n) {
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(ToUpper(static_cast<unsigned char>(s[i])));
}

void LowerBuff(char* s, size_t n) {
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(ToLower(static_cast<unsigned char>(s[i])));
}

uint16_t ToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return static_cast<uint16_t>(0x0410 + (c - 0xC0));
    return kHigh[c - 0x80];
}

unsigned char FromUnicode(uint32_t cp, unsigned char fallback) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHigh[i] == cp && cp != 0) return static_cast<unsigned char>(0x80 + i);
    return fallback;
}

int CompareNoCase(const char* a, const char* b) {
    return CompareNoCase(a, b, static_cast<size_t>(-1));
}

int CompareNoCase(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = ToUpper(static_cast<unsigned char>(a[i]));
        unsigned char y = ToUpper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
    return 0;
}

std::string ToUtf8(const char* s, size_t n) {
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        uint16_t cp = ToUnicode(static_cast<unsigned char>(s[i]));
        utf8::Append(out, cp ? cp : 0xFFFD);
    }
    return out;
}

std::string ToUtf8(const char* s) {
    return s ? ToUtf8(s, std::strlen(s)) : std::string();
}

std::string FromUtf8(const char* s, size_t n) {
    std::string out;
    out.reserve(n);
    const unsigned char* u = reinterpret_cast<const unsigned char*>(s);
    for (size_t i = 0; i < n;) {
        uint32_t cp;
        size_t len = utf8::Decode(u + i, n - i, &cp);
        if (len == 0) {
            out += s[i++];
            continue;
        }
        out += static_cast<char>(FromUnicode(cp));
        i += len;
    }
    return out;
}

bool LooksLikeUtf8(const char* s, size_t n) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(s);
    bool multi = false;
    for (size_t i = 0; i < n;) {
        if (u[i] < 0x80) {
            i += utf8::AsciiRun(s + i, n - i);
            continue;
        }
        uint32_t cp;
        size_t len = utf8::Decode(u + i, n - i, &cp);
        if (len == 0) return false;
        multi |= len > 1;
        i += len;
    }
    return multi;
}

std::string ForDisplay(const char* s) {
    if (!s) return std::string();
    size_t n = std::strlen(s);
    return LooksLikeUtf8(s, n) ? std::string(s, n) : ToUtf8(s, n);
}

namespace {

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

void DecodeInto(std::u16string& out, const unsigned char* u, size_t n) {
    for (size_t i = 0; i < n;) {
        uint32_t cp;
        size_t len = utf8::Decode(u + i, n - i, &cp);
        if (len == 0) return;
        AppendUtf16(out, cp);
        i += len;
    }
}

}  // namespace

std::u16string DisplayUtf16(const char* s, size_t n) {
    std::u16string out;
    if (!s) return out;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(s);
    if (LooksLikeUtf8(s, n)) {
        DecodeInto(out, u, n);
        return out;
    }
    if (n > 1 && u[n - 1] == 133) {
        // A cut UTF-8 text: drop a partial sequence before the ellipsis.
        size_t end = n - 1, lead = end;
        while (lead > 0 && end - lead < 3 && (u[lead - 1] & 0xC0) == 0x80) --lead;
        if (lead > 0 && u[lead - 1] >= 0xC0) {
            uint32_t cp;
            if (utf8::Decode(u + lead - 1, end - lead + 1, &cp) == 0) end = lead - 1;
        }
        if (LooksLikeUtf8(s, end)) {
            DecodeInto(out, u, end);
            out += u'\u2026';
            return out;
        }
    }
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) out += static_cast<char16_t>(ToUnicode(u[i]));
    return out;
}

}  // namespace cp1251
