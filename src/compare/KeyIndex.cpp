#include "compare/KeyIndex.h"

#include <algorithm>
#include <cstring>

void KeyIndex::Seal() {
    sorted_.clear();
    sorted_.reserve(keys_.size());
    for (uint32_t i = 0; i < keys_.size(); ++i)
        sorted_.push_back(static_cast<uint64_t>(keys_[i]) << 32 | i);
    std::sort(sorted_.begin(), sorted_.end());
}

const uint64_t* KeyIndex::First(uint32_t key, uint32_t from) const {
    auto it =
        std::lower_bound(sorted_.begin(), sorted_.end(), static_cast<uint64_t>(key) << 32 | from);
    if (it == sorted_.end() || (*it >> 32) != key) return nullptr;
    return &*it;
}

const uint64_t* KeyIndex::Next(const uint64_t* entry) const {
    const uint64_t* next = entry + 1;
    if (next == sorted_.data() + sorted_.size() || (*next >> 32) != (*entry >> 32)) return nullptr;
    return next;
}

uint32_t KeyHash(const char* text, size_t length) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    auto mix = [&h](uint64_t v) {
        h = (h ^ v) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    };
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t v;
        std::memcpy(&v, text + i, 8);
        mix(v);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, text + i, length - i);
    mix(tail);
    return static_cast<uint32_t>(h ^ (h >> 32));
}
