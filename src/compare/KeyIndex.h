#pragma once
// The positions of a sequence by key, for the resynchronisation search:
// items that can be equal share a key, so a probe of the ring search looks
// up the few positions of its key instead of passing over the ring.
#include <cstddef>
#include <cstdint>
#include <vector>

class KeyIndex {
  public:
    // The key of the next position; Seal once after the last.
    void Add(uint32_t key) { keys_.push_back(key); }
    void Seal();

    uint32_t KeyAt(uint32_t position) const { return keys_[position]; }
    uint32_t Size() const { return static_cast<uint32_t>(keys_.size()); }

    // The first position in [from, end) holding `key` that `accept` takes,
    // trying them in ascending order; -1 when there is none.
    template <class Accept>
    int64_t Find(uint32_t key, uint32_t from, uint64_t end, Accept accept) const {
        for (const uint64_t* e = First(key, from); e; e = Next(e)) {
            uint32_t position = static_cast<uint32_t>(*e);
            if (position >= end) break;
            if (accept(position)) return position;
        }
        return -1;
    }

  private:
    const uint64_t* First(uint32_t key, uint32_t from) const;
    const uint64_t* Next(const uint64_t* entry) const;

    std::vector<uint32_t> keys_;
    std::vector<uint64_t> sorted_;  // key << 32 | position
};

// The key of an end sentinel.
constexpr uint32_t kSentinelKey = 0xFFFFFFFFu;

// A well-mixed 32-bit hash of a text, for keys.
uint32_t KeyHash(const char* text, size_t length);
