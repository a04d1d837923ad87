#include "framework/Arena.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

// Under the address sanitizer the memory of an arena that nothing holds is
// poisoned (blocks before they are handed out, objects deleted singly,
// texts that moved, pooled blocks), so that a use after free is found in
// arena memory as it is on the heap.
#if defined(__SANITIZE_ADDRESS__)
#define OV_POISON_ARENAS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OV_POISON_ARENAS 1
#endif
#endif

#ifdef OV_POISON_ARENAS
#include <sanitizer/asan_interface.h>
#endif

namespace {

void Poison(const void* p, size_t n) {
#ifdef OV_POISON_ARENAS
    __asan_poison_memory_region(p, n);
#else
    (void)p, (void)n;
#endif
}

void Unpoison(const void* p, size_t n) {
#ifdef OV_POISON_ARENAS
    __asan_unpoison_memory_region(p, n);
#else
    (void)p, (void)n;
#endif
}

constexpr size_t kAlign = 8;  // enough for pointers and 64-bit integers
constexpr size_t kBlockSize = 256 * 1024;

size_t RoundUp(size_t n) {
    return (n + kAlign - 1) & ~(kAlign - 1);
}

thread_local Arena* currentArena = nullptr;
thread_local Arena* currentTextArena = nullptr;

// Each ArenaObject is preceded by a header that tells where it came from;
// its size keeps the object aligned for pointers and 64-bit integers, all
// that ArenaObject classes hold.
constexpr size_t kHeader = 8;
constexpr uint32_t kFromHeap = 0x48656170;
constexpr uint32_t kFromArena = 0x4172656E;

// Blocks of arenas that have gone, kept for the next ones: a block fresh
// from the system costs a page fault per page on first touch, more than
// building into it. At most kPooledBlocks are kept.
constexpr size_t kPooledBlocks = 32;

class BlockPool {
  public:
    void* Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (free_.empty()) return nullptr;
        void* block = free_.back();
        free_.pop_back();
        return block;
    }
    // False when the pool is full; the caller frees the block.
    bool Give(void* block) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (free_.size() >= kPooledBlocks) return false;
        free_.push_back(block);
        return true;
    }

  private:
    std::mutex mutex_;
    std::vector<void*> free_;
};

BlockPool& Pool() {
    static BlockPool* pool = new BlockPool;  // never destroyed: arenas may outlive statics
    return *pool;
}

}  // namespace

struct Arena::Block {
    Block* next;
    size_t payload;
};

namespace {

char* PayloadOf(Arena::Block* b) {
    return reinterpret_cast<char*>(b) + RoundUp(sizeof(Arena::Block));
}

}  // namespace

Arena::~Arena() {
    while (Block* b = blocks_) {
        blocks_ = b->next;
        // Poisoned before the pool has it: once given, another thread's
        // arena may take the block and unpoison what it hands out.
        Poison(PayloadOf(b), b->payload);
        if (b->payload == kBlockSize && Pool().Give(b)) continue;
        Unpoison(PayloadOf(b), b->payload);
        std::free(b);
    }
}

void Arena::Abandon(void* p, size_t size) {
    Poison(p, RoundUp(size ? size : 1));
}

void* Arena::Allocate(size_t size) {
    size = RoundUp(size ? size : 1);
    if (static_cast<size_t>(end_ - cur_) < size) {
        // An object too large for a block gets a block of its own.
        const size_t payload = size > kBlockSize / 4 ? size : kBlockSize;
        const size_t total = RoundUp(sizeof(Block)) + payload;
        void* memory = payload == kBlockSize ? Pool().Take() : nullptr;
        if (!memory) memory = std::malloc(total);
        if (!memory) throw std::bad_alloc();
        auto* block = static_cast<Block*>(memory);
        block->payload = payload;
        reserved_ += total;
        char* start = PayloadOf(block);
        Poison(start, payload);
        if (payload == kBlockSize || !blocks_) {
            block->next = blocks_;
            blocks_ = block;
            cur_ = start;
            end_ = start + payload;
        } else {
            // Keep filling the current block after a large object.
            block->next = blocks_->next;
            blocks_->next = block;
            last_ = nullptr;
            Unpoison(start, size);
            return start;
        }
    }
    last_ = cur_;
    cur_ += size;
    Unpoison(last_, size);
    return last_;
}

bool Arena::Extend(void* p, size_t oldSize, size_t newSize) {
    char* start = static_cast<char*>(p);
    if (!start || start != last_ || start + RoundUp(oldSize ? oldSize : 1) != cur_) return false;
    const size_t wanted = RoundUp(newSize ? newSize : 1);
    if (wanted > static_cast<size_t>(end_ - start)) return false;
    cur_ = start + wanted;
    Unpoison(start, wanted);
    return true;
}

ArenaScope::ArenaScope(Arena* objects, Arena* texts)
    : previousObjects_(currentArena), previousTexts_(currentTextArena) {
    currentArena = objects;
    currentTextArena = texts;
}

ArenaScope::~ArenaScope() {
    currentArena = previousObjects_;
    currentTextArena = previousTexts_;
}

Arena* ArenaScope::Current() {
    return currentArena;
}

Arena* ArenaScope::CurrentForTexts() {
    return currentTextArena;
}

void* ArenaObject::operator new(size_t size) {
    char* p;
    uint32_t origin;
    if (Arena* arena = currentArena) {
        p = static_cast<char*>(arena->Allocate(kHeader + size));
        origin = kFromArena;
    } else {
        p = static_cast<char*>(std::malloc(kHeader + size));
        if (!p) throw std::bad_alloc();
        origin = kFromHeap;
    }
    *reinterpret_cast<uint32_t*>(p) = origin;
    return p + kHeader;
}

void ArenaObject::operator delete(void* p, size_t size) noexcept {
    if (!p) return;
    char* start = static_cast<char*>(p) - kHeader;
    if (*reinterpret_cast<uint32_t*>(start) == kFromHeap)
        std::free(start);
    else
        Arena::Abandon(start, kHeader + size);
}
