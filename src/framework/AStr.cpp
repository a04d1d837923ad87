#include "framework/AStr.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/Cp1251.h"

static char* CopyOf(const char* s, size_t n) {
    if (!s || n == 0) return nullptr;
    char* p = new char[n + 1];
    std::memcpy(p, s, n);
    p[n] = 0;
    return p;
}

AStr::AStr(const char* s) : p_(s ? CopyOf(s, std::strlen(s)) : nullptr) {}
AStr::AStr(const char* s, size_t n) : p_(CopyOf(s, s ? strnlen(s, n) : 0)) {}
AStr::AStr(const AStr& other) : p_(CopyOf(other.p_, other.Length())) {}
AStr::~AStr() {
    delete[] p_;
}

AStr& AStr::operator=(const AStr& other) {
    if (this != &other) Assign(other.p_, other.Length());
    return *this;
}

AStr& AStr::operator=(AStr&& other) noexcept {
    if (this != &other) {
        delete[] p_;
        p_ = other.p_;
        other.p_ = nullptr;
    }
    return *this;
}

AStr& AStr::operator=(const char* s) {
    Assign(s, s ? std::strlen(s) : 0);
    return *this;
}

size_t AStr::Length() const {
    return p_ ? std::strlen(p_) : 0;
}

void AStr::Assign(const char* s, size_t n) {
    // The source may live inside this string, so copy before freeing.
    char* copy = CopyOf(s, s ? strnlen(s, n) : 0);
    delete[] p_;
    p_ = copy;
}

void AStr::Clear() {
    delete[] p_;
    p_ = nullptr;
}

AStr& AStr::Append(const char* s) {
    return s ? Append(s, std::strlen(s)) : *this;
}

AStr& AStr::Append(const char* s, size_t n) {
    if (!s || n == 0) return *this;
    n = strnlen(s, n);
    if (n == 0) return *this;
    size_t len = Length();
    char* p = new char[len + n + 1];
    if (len) std::memcpy(p, p_, len);
    std::memcpy(p + len, s, n);
    p[len + n] = 0;
    delete[] p_;
    p_ = p;
    return *this;
}

int AStr::Compare(const char* s) const {
    int r = std::strcmp(c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int AStr::CompareNoCase(const char* s) const {
    return cp1251::CompareNoCase(c_str(), s ? s : "");
}

bool AStr::StartsWithNoCase(const char* prefix) const {
    size_t n = std::strlen(prefix);
    return Length() >= n && cp1251::CompareNoCase(c_str(), prefix, n) == 0;
}

AStr AStr::SubStr(size_t pos, size_t n) const {
    size_t len = Length();
    if (pos >= len) return AStr();
    if (n > len - pos) n = len - pos;
    return AStr(p_ + pos, n);
}

long AStr::Find(char c, size_t from) const {
    size_t len = Length();
    for (size_t i = from; i < len; ++i)
        if (p_[i] == c) return static_cast<long>(i);
    return -1;
}

long AStr::Find(const char* s, size_t from) const {
    if (from > Length() || !s) return -1;
    const char* hit = std::strstr(c_str() + from, s);
    return hit ? static_cast<long>(hit - c_str()) : -1;
}

void AStr::MakeUpper() {
    if (p_) cp1251::UpperBuff(p_, std::strlen(p_));
}

void AStr::MakeLower() {
    if (p_) cp1251::LowerBuff(p_, std::strlen(p_));
}

void AStr::Attach(char* buffer) {
    delete[] p_;
    p_ = buffer;
}

char* AStr::Detach() {
    char* p = p_;
    p_ = nullptr;
    return p;
}

AStr AStr::FromUtf16(const char16_t* s, size_t n) {
    AStr out;
    if (!s || n == 0) return out;
    char* p = new char[n + 1];
    size_t k = 0;
    for (size_t i = 0; i < n && s[i]; ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        p[k++] = static_cast<char>(cp1251::FromUnicode(cp));
    }
    p[k] = 0;
    out.Attach(p);
    if (k == 0) out.Clear();
    return out;
}

AStr AStr::FromUtf16(const char16_t* s) {
    size_t n = 0;
    if (s)
        while (s[n]) ++n;
    return FromUtf16(s, n);
}

AStr AStr::Format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    AStr out;
    if (n > 0) {
        char* p = new char[static_cast<size_t>(n) + 1];
        std::vsnprintf(p, static_cast<size_t>(n) + 1, fmt, ap);
        out.Attach(p);
    }
    va_end(ap);
    return out;
}
