#pragma once
// A short byte string set once and read many times (an attribute value of a
// page, the source of a character reference). Made while an ArenaScope
// names an arena for objects, its bytes come from that arena, as the object
// holding it does, and go with it: building and dropping a page costs no
// heap call per text. Else they come from the heap and the destructor gives
// them back. The arena is the one in scope when the text is made, not when
// it is set, so a text set later (a code page conversion) stays with its
// owner.
#include <cstddef>
#include <cstdint>

class Arena;

class FixedText {
  public:
    FixedText();
    ~FixedText() { Release(); }
    FixedText(const FixedText&) = delete;
    FixedText& operator=(const FixedText&) = delete;

    // Replaces the text with the n bytes at s up to the first zero byte
    // among them, as an AStr keeps a text.
    void Assign(const char* s, size_t n);

    const char* c_str() const { return data_ ? data_ : ""; }
    // The bytes to change in place (null when empty).
    char* Data() { return data_; }
    size_t Length() const { return size_; }
    bool IsEmpty() const { return size_ == 0; }
    // As AStr::CompareNoCase: 1251 letters folded.
    int CompareNoCase(const char* s) const;

  private:
    void Release();

    char* data_ = nullptr;
    uint32_t size_ = 0;
    Arena* arena_;  // null: the heap
};
