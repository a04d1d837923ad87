#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/Arena.h"
#include "framework/TextBuffer.h"

namespace {

struct Counted : ArenaObject {
    explicit Counted(int* alive) : alive(alive) { ++*alive; }
    virtual ~Counted() { --*alive; }
    int* alive;
    char payload[40] = {};
};

struct Big : ArenaObject {
    char bytes[200000];
};

}  // namespace

TEST(Arena, AllocationsAreAlignedDistinctAndUsable) {
    Arena arena;
    std::vector<char*> blocks;
    for (size_t size : {1u, 7u, 16u, 33u, 1000u, 70000u, 5u, 300000u, 9u}) {
        char* p = static_cast<char*>(arena.Allocate(size));
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(p) % 8);
        std::memset(p, static_cast<int>(size & 0xFF), size);  // the sanitizer checks the bounds
        blocks.push_back(p);
    }
    // Nothing handed out twice: every block still holds what was written.
    size_t i = 0;
    for (size_t size : {1u, 7u, 16u, 33u, 1000u, 70000u, 5u, 300000u, 9u}) {
        EXPECT_EQ(static_cast<char>(size & 0xFF), blocks[i][size - 1]);
        ++i;
    }
    EXPECT_GE(arena.Reserved(), 300000u + 70000u);
}

TEST(Arena, ObjectsComeFromTheArenaInScopeAndElseFromTheHeap) {
    int alive = 0;
    Arena arena;
    {
        ArenaScope scope(&arena);
        const size_t before = arena.Reserved();
        for (int i = 0; i < 10000; ++i) delete new Counted(&alive);  // arena objects deleted singly
        EXPECT_GT(arena.Reserved(), before);
        {
            ArenaScope heap(nullptr);  // scopes nest; null means the heap
            const size_t inArena = arena.Reserved();
            std::unique_ptr<Counted> fromHeap(new Counted(&alive));
            EXPECT_EQ(inArena, arena.Reserved());
        }
        std::unique_ptr<Big> big(new Big);  // larger than a block
        big->bytes[sizeof(big->bytes) - 1] = 1;
    }
    // Out of scope: heap again, and a heap object outlives every arena.
    const size_t settled = arena.Reserved();
    std::unique_ptr<Counted> later(new Counted(&alive));
    EXPECT_EQ(settled, arena.Reserved());
    EXPECT_EQ(1, alive);
}

TEST(Arena, ScopesAreKeptPerThread) {
    Arena arena;
    ArenaScope scope(&arena);
    const size_t before = arena.Reserved();
    int alive = 0;
    std::thread([&] { delete new Counted(&alive); }).join();
    EXPECT_EQ(before, arena.Reserved());
}

TEST(Arena, OnlyTheNewestAllocationGrowsInPlace) {
    Arena arena;
    void* a = arena.Allocate(10);
    EXPECT_TRUE(arena.Extend(a, 10, 1000));
    void* b = arena.Allocate(10);
    EXPECT_EQ(static_cast<char*>(a) + 1000, b);   // right after the grown one
    EXPECT_FALSE(arena.Extend(a, 1000, 2000));    // no longer the newest
    EXPECT_FALSE(arena.Extend(b, 10, 1u << 20));  // more than its block holds
    EXPECT_TRUE(arena.Extend(b, 10, 20));
    EXPECT_FALSE(arena.Extend(nullptr, 0, 8));
    void* large = arena.Allocate(300000);  // larger than a block: a block of its own
    EXPECT_FALSE(arena.Extend(large, 300000, 300001));
}

TEST(Arena, BlocksOfAGoneArenaServeTheNextOne) {
    void* first;
    {
        Arena a;
        first = a.Allocate(64);
    }
    Arena b;
    EXPECT_EQ(first, b.Allocate(64));
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OV_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define OV_TEST_ASAN 1
#endif
#ifdef OV_TEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

// A sanitized build must see arena memory that nothing holds as it sees
// freed heap memory.
TEST(Arena, MemoryNothingHoldsIsPoisonedUnderTheSanitizer) {
#ifdef OV_TEST_ASAN
    int alive = 0;
    auto arena = std::make_unique<Arena>();
    ArenaScope scope(arena.get(), arena.get());
    auto* object = new Counted(&alive);
    char* inside = object->payload;
    EXPECT_FALSE(__asan_address_is_poisoned(inside));
    delete object;
    EXPECT_TRUE(__asan_address_is_poisoned(inside));

    TextBuffer text;
    text.append("abc", 3);
    const char* before = text.c_str();
    arena->Allocate(8);       // the text is no longer the newest
    text.append("defgh", 5);  // so it moves
    EXPECT_NE(before, text.c_str());
    EXPECT_TRUE(__asan_address_is_poisoned(before));

    char* kept = static_cast<char*>(arena->Allocate(16));
    EXPECT_TRUE(__asan_address_is_poisoned(kept + 16));  // beyond the allocation
    arena.reset();                                       // its blocks go to the pool
    EXPECT_TRUE(__asan_address_is_poisoned(kept));
#else
    GTEST_SKIP() << "only a sanitized build poisons";
#endif
}
