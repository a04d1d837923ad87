#pragma once
// A growable, zero-terminated byte string for texts that live in an arena:
// made while an ArenaScope names an arena for texts, it grows there (in
// place while it is the arena's newest allocation), else on the heap. The
// texts of a page built one after another so lie end to end, none wasted.
#include <cstddef>
#include <cstdint>

class Arena;

class TextBuffer {
  public:
    TextBuffer();
    ~TextBuffer();
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    const char* c_str() const { return data_ ? data_ : ""; }
    // Writable bytes; an empty text that never had room gives a shared zero
    // byte, which must not be written.
    char* data();
    size_t size() const { return size_; }

    void append(const char* bytes, size_t n);
    void push_back(char c) { append(&c, 1); }
    // Inserts at `at` (at most size()).
    void insert(size_t at, const char* bytes, size_t n);
    // Cuts the text to `n` bytes (at most size()).
    void truncate(size_t n);
    void clear() { truncate(0); }

  private:
    void Reserve(size_t n);  // room for n bytes and the terminating zero

    char* data_ = nullptr;
    uint32_t size_ = 0;
    uint32_t capacity_ = 0;  // bytes of text that fit, the zero not counted
    Arena* arena_;
};
