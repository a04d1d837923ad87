#include "stream/MemStream.h"

#include <cstdlib>
#include <cstring>

#include "platform/Resources.h"

long mwstreambuf::Read(void* bytes, long count) {
    if (!start_ || pos_ > size_ || count < 0) return -1;
    long n = count < size_ - pos_ ? count : size_ - pos_;
    std::memcpy(bytes, start_ + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
}

long mwstreambuf::Write(const void* bytes, long count) {
    if (!start_ || pos_ > size_ || count < 0) return -1;
    long n = count < size_ - pos_ ? count : size_ - pos_;
    std::memcpy(start_ + pos_, bytes, static_cast<size_t>(n));
    pos_ += n;
    return n;
}

long mwstreambuf::Seek(long offset, int origin) {
    long base = origin == 0 ? 0 : origin == 1 ? pos_ : origin == 2 ? size_ : -1;
    if (base < 0 || base + offset < 0) return -1;
    pos_ = base + offset;
    return pos_;
}

omwstreambuf::omwstreambuf(uint32_t step)
    : mwstreambuf(nullptr, 0), step_(step), capacity_(step == 0 || step == 0xFFFFFFFF ? 1 : step) {
    start_ = static_cast<char*>(std::malloc(capacity_));
}

omwstreambuf::~omwstreambuf() {
    std::free(start_);
}

long omwstreambuf::Write(const void* bytes, long count) {
    if (!start_ || pos_ > size_ || count < 0) return -1;
    unsigned long needed = static_cast<unsigned long>(pos_) + static_cast<unsigned long>(count);
    if (needed > static_cast<unsigned long>(size_)) {
        if (needed > capacity_) {
            unsigned long cap;
            if (step_ == 0xFFFFFFFF)
                cap = needed + needed / 3;
            else if (step_ == 0)
                cap = needed;
            else
                cap = (needed + step_ - 1) / step_ * step_;
            char* grown = static_cast<char*>(std::realloc(start_, cap));
            if (!grown) return -1;
            start_ = grown;
            capacity_ = cap;
        }
        size_ = static_cast<long>(needed);
    }
    std::memcpy(start_ + pos_, bytes, static_cast<size_t>(count));
    pos_ += count;
    return count;
}

std::vector<char> omwstream::CopyContents() const {
    return std::vector<char>(Data(), Data() + Size());
}

ireswstreambuf::ireswstreambuf(void* module, const char* name, const char* type)
    : mwstreambuf(nullptr, 0) {
    const void* data;
    size_t size;
    if (platform::LoadModuleResource(module, name, type, &data, &size)) {
        start_ = static_cast<char*>(const_cast<void*>(data));
        size_ = static_cast<long>(size);
    }
}
