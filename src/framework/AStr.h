#pragma once
// AStr: the byte string of files and records. It holds the bytes exactly as
// the watch list, the change log and the stored copies hold them: code page
// 1251, or UTF-8 for pages carried as UTF-8 (see "Text" in docs/DESIGN.md).
// Text bound for the operating system (paths, settings) is std::string.
//
// A heap buffer with a stored length and a capacity, so appends grow it
// geometrically and Length() costs nothing. The text ends at its first zero
// byte: every way in stops there, as the C strings it wraps do.
#include <cstddef>

class AStr {
  public:
    AStr() = default;
    AStr(const char* s);  // NOLINT: implicit on purpose, like the texts it wraps
    AStr(const char* s, size_t n);
    AStr(const AStr& other);
    AStr(AStr&& other) noexcept : p_(other.p_), len_(other.len_), cap_(other.cap_) {
        other.p_ = nullptr;
        other.len_ = other.cap_ = 0;
    }
    ~AStr();

    AStr& operator=(const AStr& other);
    AStr& operator=(AStr&& other) noexcept;
    AStr& operator=(const char* s);

    // Never null: the empty string reads as "".
    const char* c_str() const { return p_ ? p_ : ""; }
    // The raw bytes to change in place; null for the empty string. A writer
    // keeps the length, or shortens the text with Truncate afterwards.
    char* Data() { return len_ ? p_ : nullptr; }
    size_t Length() const { return len_; }
    size_t Capacity() const { return cap_; }
    bool IsEmpty() const { return len_ == 0; }

    void Assign(const char* s, size_t n);
    void Clear();
    // Room for n bytes without another allocation.
    void Reserve(size_t n);
    // Keeps the first n bytes (no-op when the text is shorter).
    void Truncate(size_t n);
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

    // Takes ownership of a zero-terminated buffer allocated with new char[];
    // gives it back (null for the empty string).
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
    // A buffer for cap bytes holding the text; returns the old one to free.
    char* Reallocate(size_t cap);

    char* p_ = nullptr;  // null, or cap_ + 1 bytes with a zero at len_
    size_t len_ = 0;
    size_t cap_ = 0;
};
