#include "framework/FixedText.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Arena.h"

namespace {

// Set, replaced and compared alike whether the bytes come from an arena or
// from the heap.
void SetAndReplace(Arena* arena) {
    ArenaScope scope(arena);
    FixedText t;
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_STREQ("", t.c_str());
    t.Assign("Content-Type", 12);
    EXPECT_EQ(12u, t.Length());
    EXPECT_EQ(0, t.CompareNoCase("content-type"));
    EXPECT_NE(0, t.CompareNoCase("content"));
    EXPECT_NE(0, t.CompareNoCase(nullptr));
    std::string big(5000, 'x');
    t.Assign(big.data(), big.size());  // the old bytes go first
    EXPECT_EQ(big, t.c_str());
    t.Assign("", 0);
    EXPECT_TRUE(t.IsEmpty());
    // Kept as an AStr keeps a text: up to the first zero byte.
    t.Assign("ab\0cd", 5);
    EXPECT_EQ(2u, t.Length());
    EXPECT_STREQ("ab", t.c_str());
    t.Data()[0] = 'A';  // changed in place, as a code page conversion does
    EXPECT_STREQ("Ab", t.c_str());
    t.Assign(nullptr, 3);
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(nullptr, t.Data());
}

TEST(FixedText, SetReplacedAndComparedInAnArena) {
    Arena arena;
    SetAndReplace(&arena);
    EXPECT_GT(arena.Reserved(), 0u) << "the bytes came from the arena";
}

TEST(FixedText, SetReplacedAndComparedOnTheHeap) {
    SetAndReplace(nullptr);
}

// A text made on the heap and set while another arena is in scope (the
// comparison's item stream converting a page's text) must not borrow that
// arena, which goes first; nor may one made in an arena leave it.
TEST(FixedText, StaysWhereItWasMade) {
    Arena document, later;
    FixedText onHeap;
    {
        ArenaScope scope(&document);
        FixedText inArena;
        ArenaScope other(&later);
        onHeap.Assign("heap", 4);
        inArena.Assign("arena", 5);
        EXPECT_EQ(0u, later.Reserved());
        EXPECT_GT(document.Reserved(), 0u);
    }
    EXPECT_STREQ("heap", onHeap.c_str());
}

}  // namespace
