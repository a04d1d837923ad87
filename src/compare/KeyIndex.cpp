#include "compare/KeyIndex.h"

#include <algorithm>
#include <cstring>

void KeyIndex::Seal() {
    // Positions go in ascending, so a stable sort by key alone orders the
    // entries by key and position: four counting passes, a byte of the key
    // each, cost less than comparisons for the many thousand items of a page.
    const size_t n = keys_.size();
    sorted_.resize(n);
    for (uint32_t i = 0; i < n; ++i) sorted_[i] = static_cast<uint64_t>(keys_[i]) << 32 | i;
    std::vector<uint64_t> spare(n);
    for (int shift = 32; shift < 64; shift += 8) {
        size_t start[257] = {};
        for (uint64_t e : sorted_) ++start[((e >> shift) & 0xFF) + 1];
        for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
        for (uint64_t e : sorted_) spare[start[(e >> shift) & 0xFF]++] = e;
        sorted_.swap(spare);
    }
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
