#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/Arena.h"

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
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(p) % alignof(std::max_align_t));
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

TEST(Arena, ContainersTakeTheArenaInScopeWhenMade) {
    using ArenaString = std::basic_string<char, std::char_traits<char>, ArenaAllocator<char>>;
    Arena arena;
    std::unique_ptr<ArenaString> inArena;
    {
        ArenaScope scope(&arena);
        inArena = std::make_unique<ArenaString>();
    }
    ArenaString onHeap;
    for (int i = 0; i < 1000; ++i) {
        *inArena += "0123456789";  // grows in the arena though it is out of scope now
        onHeap += "0123456789";
    }
    EXPECT_GE(arena.Reserved(), 10000u);
    EXPECT_EQ(*inArena, onHeap);
    onHeap.append(*inArena);  // containers of either kind mix
    EXPECT_EQ(20000u, onHeap.size());
    inArena.reset();
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
