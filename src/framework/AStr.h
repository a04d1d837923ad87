#pragma once
// AStr: the string of the whole system. One pointer to a heap copy of a
// zero-terminated 1251 string; a null pointer is the empty string.
#include <cstddef>

class AStr {
  public:
    AStr() = default;
    AStr(const char* s);  // NOLINT: implicit on purpose, like the texts it wraps
    AStr(const char* s, size_t n);
    AStr(const AStr& other);
    AStr(AStr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~AStr();

    AStr& operator=(const AStr& other);
    AStr& operator=(AStr&& other) noexcept;
    AStr& operator=(const char* s);

    // Never null: the empty string reads as "".
    const char* c_str() const { return p_ ? p_ : ""; }
    // The raw pointer; null for the empty string.
    char* Data() { return p_; }
    size_t Length() const;
    bool IsEmpty() const { return !p_ || !*p_; }

    void Assign(const char* s, size_t n);
    void Clear();
    AStr& Append(const char* s);
    AStr& Append(const char* s, size_t n);
    AStr& Append(char c) { return Append(&c, 1); }
    AStr& operator+=(const char* s) { return Append(s); }
    AStr& operator+=(const AStr& s) { return Append(s.c_str()); }
    AStr& operator+=(char c) { return Append(c); }

    // Byte-order comparison (strcmp) and the system's case-insensitive one.
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;
    bool StartsWithNoCase(const char* prefix) const;

    // Up to n bytes from pos (clamped to the string).
    AStr SubStr(size_t pos, size_t n = static_cast<size_t>(-1)) const;
    // Index of the first occurrence of c at or after `from`, or -1.
    long Find(char c, size_t from = 0) const;
    long Find(const char* s, size_t from = 0) const;

    // In-place case conversion by the system's 1251 tables.
    void MakeUpper();
    void MakeLower();

    // Takes ownership of a buffer allocated with new char[]; gives it back.
    void Attach(char* buffer);
    char* Detach();

    static AStr FromUtf16(const char16_t* s, size_t n);
    static AStr FromUtf16(const char16_t* s);
    static AStr Format(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;

    friend bool operator==(const AStr& a, const AStr& b) {
        return a.Compare(b.c_str()) == 0;
    }
    friend bool operator!=(const AStr& a, const AStr& b) {
        return !(a == b);
    }
    friend bool operator==(const AStr& a, const char* b) {
        return a.Compare(b) == 0;
    }
    friend bool operator!=(const AStr& a, const char* b) {
        return !(a == b);
    }
    friend bool operator<(const AStr& a, const AStr& b) {
        return a.Compare(b.c_str()) < 0;
    }

  private:
    char* p_ = nullptr;
};
