#include "html/RefDecode.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/Cp1251.h"
#include "framework/Utf8.h"
#include "html/CharRef.h"
#include "html/NamedRefs.h"

namespace {

constexpr size_t kLongestName = 32;

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int DecodeNumeric(const char* text, size_t length, uint32_t* cp, int* consumed) {
    size_t i = 2;
    const bool hex = i < length && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const size_t digitsStart = i;
    uint32_t value = 0;
    for (; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int digit = hex ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) break;
        if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    }
    if (i == digitsStart) return 0;
    if (i < length && text[i] == ';') ++i;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        value = 0xFFFD;
    else if (value >= 0x80 && value <= 0x9F)  // read as Windows-1252, as browsers do
        value = Cp1252HighCodePoint(static_cast<unsigned char>(value));
    *cp = value;
    *consumed = static_cast<int>(i);
    return 1;
}

// Byte order of a table name against the n bytes of a text.
int CompareName(const char* row, const char* name, size_t n) {
    const size_t rowLength = std::strlen(row);
    const int c = std::memcmp(row, name, std::min(rowLength, n));
    if (c != 0) return c;
    return rowLength < n ? -1 : rowLength > n ? 1 : 0;
}

const NamedRef* FindName(const char* name, size_t n) {
    size_t lo = 0, hi = kNamedRefCount;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        const int c = CompareName(kNamedRefs[mid].name, name, n);
        if (c == 0) return &kNamedRefs[mid];
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return nullptr;
}

}  // namespace

int DecodeReference(const char* text, size_t length, bool inAttribute, uint32_t codePoints[2],
                    int* consumed) {
    *consumed = 0;
    if (!text || length < 2 || text[0] != '&') return 0;
    if (text[1] == '#') return DecodeNumeric(text, length, &codePoints[0], consumed);

    // The name run, then the name with ";" when one follows it directly.
    size_t run = 1;
    while (run < length && run <= kLongestName &&
           IsAsciiAlnum(static_cast<unsigned char>(text[run])))
        ++run;
    const size_t nameLength = run - 1;
    if (nameLength == 0) return 0;
    const NamedRef* row = nullptr;
    size_t used = 0;
    if (run < length && text[run] == ';') {
        row = FindName(text + 1, nameLength);
        used = run + 1;
    }
    if (!row) {
        // The longest older name the run begins with (they are at most 6 long).
        for (size_t n = std::min<size_t>(nameLength, 6); n >= 2 && !row; --n) {
            const NamedRef* candidate = FindName(text + 1, n);
            if (candidate && candidate->legacy) row = candidate;
            used = 1 + n;
        }
        if (!row) return 0;
        const unsigned char next = used < length ? static_cast<unsigned char>(text[used]) : 0;
        if (inAttribute && (IsAsciiAlnum(next) || next == '=')) return 0;
    }
    codePoints[0] = row->first;
    codePoints[1] = row->second;
    *consumed = static_cast<int>(used);
    return row->second ? 2 : 1;
}

size_t DecodeReferenceUtf8(const char* text, size_t length, bool inAttribute, char* out,
                           int* consumed) {
    uint32_t cps[2];
    const int count = DecodeReference(text, length, inAttribute, cps, consumed);
    size_t n = 0;
    for (int i = 0; i < count; ++i) n += utf8::Encode(cps[i], out + n);
    return n;
}

namespace {

// Every reference of a text or attribute value decoded.
AStr DecodeAll(const char* value, size_t length, bool inAttribute, bool utf8) {
    if (!value || !std::memchr(value, '&', length)) return AStr(value, length);
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length;) {
        if (value[i] != '&') {
            out += value[i++];
            continue;
        }
        uint32_t cps[2];
        int used = 0;
        const int count = DecodeReference(value + i, length - i, inAttribute, cps, &used);
        std::string decoded;
        for (int k = 0; k < count && used; ++k) {
            if (utf8) {
                utf8::Append(decoded, cps[k]);
                continue;
            }
            const unsigned char byte = cp1251::FromUnicode(cps[k], 0);
            if (!byte && cps[k] != 0) {
                decoded.clear();
                used = 0;  // 1251 lacks it: the reference stays as written
                break;
            }
            decoded += static_cast<char>(byte);
        }
        if (!used) {
            out += value[i++];
            continue;
        }
        out += decoded;
        i += static_cast<size_t>(used);
    }
    return AStr(out.data(), out.size());
}

}  // namespace

AStr DecodeAttributeValue(const char* value, size_t length, bool utf8) {
    return DecodeAll(value, length, true, utf8);
}

AStr DecodeTextUtf8(const char* text, size_t length) {
    return DecodeAll(text, length, false, true);
}
