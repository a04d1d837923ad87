#include "framework/TextBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/Arena.h"

TextBuffer::TextBuffer() : arena_(ArenaScope::CurrentForTexts()) {}

TextBuffer::~TextBuffer() {
    if (!arena_) std::free(data_);
}

void TextBuffer::Reserve(size_t n) {
    if (n <= capacity_ && data_) return;
    if (n >= UINT32_MAX) throw std::bad_alloc();
    if (arena_ && data_ && arena_->Extend(data_, capacity_ + 1, n + 1)) {
        capacity_ = static_cast<uint32_t>(n);
        return;
    }
    // A move: grow by half again at least, so that appending stays linear.
    size_t wanted = n;
    if (data_ && wanted < capacity_ + capacity_ / 2) wanted = capacity_ + capacity_ / 2;
    if (wanted >= UINT32_MAX) wanted = n;
    char* grown;
    if (arena_) {
        grown = static_cast<char*>(arena_->Allocate(wanted + 1));
        if (data_) {
            std::memcpy(grown, data_, size_ + 1);
            Arena::Abandon(data_, capacity_ + 1);
        }
    } else {
        grown = static_cast<char*>(std::realloc(data_, wanted + 1));
        if (!grown) throw std::bad_alloc();
    }
    if (!data_) grown[0] = 0;
    data_ = grown;
    capacity_ = static_cast<uint32_t>(wanted);
}

char* TextBuffer::data() {
    static char none[1] = {0};
    return data_ ? data_ : none;
}

void TextBuffer::append(const char* bytes, size_t n) {
    if (data_ && bytes >= data_ && bytes < data_ + size_) {  // a piece of itself
        const size_t from = static_cast<size_t>(bytes - data_);
        Reserve(size_ + n);
        bytes = data_ + from;
    } else {
        Reserve(size_ + n);
    }
    std::memcpy(data_ + size_, bytes, n);
    size_ += static_cast<uint32_t>(n);
    data_[size_] = 0;
}

void TextBuffer::insert(size_t at, const char* bytes, size_t n) {
    Reserve(size_ + n);
    std::memmove(data_ + at + n, data_ + at, size_ - at + 1);  // the zero moves too
    std::memcpy(data_ + at, bytes, n);
    size_ += static_cast<uint32_t>(n);
}

void TextBuffer::truncate(size_t n) {
    if (n >= size_) return;
    size_ = static_cast<uint32_t>(n);
    data_[size_] = 0;
}
