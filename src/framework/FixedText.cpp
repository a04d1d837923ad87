#include "framework/FixedText.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/Arena.h"
#include "framework/Cp1251.h"

FixedText::FixedText() : arena_(ArenaScope::Current()) {}

void FixedText::Assign(const char* s, size_t n) {
    Release();
    n = s ? strnlen(s, n) : 0;
    if (n == 0) return;
    if (arena_) {
        data_ = static_cast<char*>(arena_->Allocate(n + 1));
    } else {
        data_ = static_cast<char*>(std::malloc(n + 1));
        if (!data_) throw std::bad_alloc();
    }
    std::memcpy(data_, s, n);
    data_[n] = 0;
    size_ = static_cast<uint32_t>(n);
}

int FixedText::CompareNoCase(const char* s) const {
    return cp1251::CompareNoCase(c_str(), s ? s : "");
}

void FixedText::Release() {
    if (!data_) return;
    if (arena_)
        Arena::Abandon(data_, size_ + 1);
    else
        std::free(data_);
    data_ = nullptr;
    size_ = 0;
}
