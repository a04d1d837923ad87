#include "propfields/TypedNumbers.h"

#include <cstdint>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The digits between the blanks: [*begin, *end).
void TrimBlanks(const char* text, const char** begin, const char** end) {
    const char* b = text ? text : "";
    while (IsBlank(*b)) ++b;
    const char* e = b;
    while (*e) ++e;
    while (e > b && IsBlank(e[-1])) --e;
    *begin = b;
    *end = e;
}

// Decimal digits only, at most `max`.
bool ReadDigits(const char* begin, const char* end, uint64_t max, uint64_t* value) {
    uint64_t n = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + static_cast<uint64_t>(*p - '0');
        if (n > max) return false;
    }
    *value = n;
    return true;
}

}  // namespace

bool ReadUnsignedField(const char* text, uint32_t max, uint32_t* value) {
    const char *begin, *end;
    TrimBlanks(text, &begin, &end);
    uint64_t n = 0;
    if (!ReadDigits(begin, end, max, &n)) return false;
    *value = static_cast<uint32_t>(n);
    return true;
}

bool ReadSignedField(const char* text, int32_t* value) {
    const char *begin, *end;
    TrimBlanks(text, &begin, &end);
    bool negative = begin < end && *begin == '-';
    if (negative) ++begin;
    uint64_t n = 0;
    const uint64_t max = negative ? 2147483648u : 2147483647u;
    if (begin == end || !ReadDigits(begin, end, max, &n)) return false;
    *value = negative ? static_cast<int32_t>(-static_cast<int64_t>(n)) : static_cast<int32_t>(n);
    return true;
}

AStr OptionalLimitText(int16_t value) {
    return value < 0 ? AStr() : AStr::Format("%d", value);
}

int16_t OptionalLimitFromText(const char* text) {
    const char *begin, *end;
    TrimBlanks(text, &begin, &end);
    if (begin == end) return -1;
    uint32_t n = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p < '0' || *p > '9') return -1;
        if (n <= INT16_MAX) n = n * 10 + static_cast<uint32_t>(*p - '0');
    }
    return n > INT16_MAX ? INT16_MAX : static_cast<int16_t>(n);
}
