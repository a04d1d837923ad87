#include "framework/AStr.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/Cp1251.h"

// An append into a string without room starts with this many bytes, so a
// text built a piece at a time does not begin by moving for every piece.
static constexpr size_t kFirstAppendRoom = 15;

AStr::AStr(const char* s) {
    if (s) Assign(s, std::strlen(s));
}

AStr::AStr(const char* s, size_t n) {
    Assign(s, n);
}

AStr::AStr(const AStr& other) {
    Assign(other.p_, other.len_);
}

AStr::~AStr() {
    delete[] p_;
}

AStr& AStr::operator=(const AStr& other) {
    if (this != &other) Assign(other.p_, other.len_);
    return *this;
}

AStr& AStr::operator=(AStr&& other) noexcept {
    if (this != &other) {
        delete[] p_;
        p_ = other.p_;
        len_ = other.len_;
        cap_ = other.cap_;
        other.p_ = nullptr;
        other.len_ = other.cap_ = 0;
    }
    return *this;
}

AStr& AStr::operator=(const char* s) {
    Assign(s, s ? std::strlen(s) : 0);
    return *this;
}

void AStr::Assign(const char* s, size_t n) {
    n = s ? strnlen(s, n) : 0;
    if (n == 0) {
        Clear();
        return;
    }
    if (n <= cap_) {
        std::memmove(p_, s, n);  // the source may lie inside this string
    } else {
        char* p = new char[n + 1];
        std::memcpy(p, s, n);
        delete[] p_;
        p_ = p;
        cap_ = n;
    }
    len_ = n;
    p_[n] = 0;
}

void AStr::Clear() {
    delete[] p_;
    p_ = nullptr;
    len_ = cap_ = 0;
}

char* AStr::Reallocate(size_t cap) {
    char* p = new char[cap + 1];
    if (len_) std::memcpy(p, p_, len_);
    p[len_] = 0;
    char* old = p_;
    p_ = p;
    cap_ = cap;
    return old;
}

void AStr::Reserve(size_t n) {
    if (n > cap_) delete[] Reallocate(n);
}

void AStr::Truncate(size_t n) {
    if (n >= len_) return;
    len_ = n;
    p_[n] = 0;
}

AStr& AStr::Append(const char* s) {
    return s ? Append(s, std::strlen(s)) : *this;
}

AStr& AStr::Append(const char* s, size_t n) {
    if (!s || n == 0) return *this;
    n = strnlen(s, n);
    if (n == 0) return *this;
    // The source may lie inside this string: the old buffer stays until the
    // bytes are copied. Inside the string they lie before len_, so they do not
    // overlap the bytes written.
    char* old = nullptr;
    if (len_ + n > cap_) old = Reallocate(std::max({len_ + n, 2 * cap_, kFirstAppendRoom}));
    std::memcpy(p_ + len_, s, n);
    delete[] old;
    len_ += n;
    p_[len_] = 0;
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
    return len_ >= n && cp1251::CompareNoCase(c_str(), prefix, n) == 0;
}

AStr AStr::SubStr(size_t pos, size_t n) const {
    if (pos >= len_) return AStr();
    if (n > len_ - pos) n = len_ - pos;
    return AStr(p_ + pos, n);
}

long AStr::Find(char c, size_t from) const {
    for (size_t i = from; i < len_; ++i)
        if (p_[i] == c) return static_cast<long>(i);
    return -1;
}

long AStr::Find(const char* s, size_t from) const {
    if (from > len_ || !s) return -1;
    const char* hit = std::strstr(c_str() + from, s);
    return hit ? static_cast<long>(hit - c_str()) : -1;
}

void AStr::MakeUpper() {
    if (len_) cp1251::UpperBuff(p_, len_);
}

void AStr::MakeLower() {
    if (len_) cp1251::LowerBuff(p_, len_);
}

void AStr::Attach(char* buffer) {
    delete[] p_;
    p_ = buffer;
    len_ = cap_ = buffer ? std::strlen(buffer) : 0;
    if (len_ == 0) Clear();
}

char* AStr::Detach() {
    if (len_ == 0) Clear();
    char* p = p_;
    p_ = nullptr;
    len_ = cap_ = 0;
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
