#include "framework/FixedText.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/Arena.h"
#include "framework/Cp1251.h"

void FixedText::Assign(const char* s, size_t n) {
    Release();
    n = s ? strnlen(s, n) : 0;
    if (n == 0) return;
    if (Arena* arena = ArenaScope::Current()) {
        data_ = static_cast<char*>(arena->Allocate(n + 1));
        onHeap_ = false;
    } else {
        data_ = static_cast<char*>(std::malloc(n + 1));
        if (!data_) throw std::bad_alloc();
        onHeap_ = true;
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
    if (onHeap_)
        std::free(data_);
    else
        Arena::Abandon(data_, size_ + 1);
    data_ = nullptr;
    size_ = 0;
}
