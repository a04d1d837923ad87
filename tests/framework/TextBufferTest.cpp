#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "framework/Arena.h"
#include "framework/TextBuffer.h"

namespace {

std::string Contents(const TextBuffer& t) {
    EXPECT_EQ(0, t.c_str()[t.size()]) << "not zero-terminated";
    return std::string(t.c_str(), t.size());
}

// Random edits on a text in the given arena (or on the heap) against the
// same edits on a std::string.
void RandomEdits(Arena* texts, unsigned seed) {
    ArenaScope scope(nullptr, texts);
    TextBuffer t;
    TextBuffer other;  // grows in the same arena, so t cannot always grow in place
    std::string expected;
    EXPECT_EQ("", Contents(t));
    std::mt19937 rng(seed);
    for (int step = 0; step < 3000; ++step) {
        std::string piece(rng() % 40, static_cast<char>('a' + step % 26));
        if (step % 7 == 0) piece += '\0';  // texts may hold zero bytes
        switch (rng() % 6) {
            case 0:
            case 1:
                t.append(piece.data(), piece.size());
                expected += piece;
                break;
            case 2: {
                size_t at = expected.empty() ? 0 : rng() % (expected.size() + 1);
                t.insert(at, piece.data(), piece.size());
                expected.insert(at, piece);
                break;
            }
            case 3:
                if (!expected.empty()) {
                    size_t n = rng() % expected.size();
                    t.truncate(n);
                    expected.resize(n);
                }
                break;
            case 4:
                other.append(piece.data(), piece.size());
                break;
            case 5:
                if (!expected.empty()) {  // a piece of itself
                    size_t from = rng() % expected.size();
                    size_t n = std::min<size_t>(rng() % 50, expected.size() - from);
                    t.append(t.c_str() + from, n);
                    expected += expected.substr(from, n);
                }
                break;
        }
        if (rng() % 500 == 0) {
            t.clear();
            expected.clear();
        }
        ASSERT_EQ(expected, Contents(t)) << "step " << step;
    }
}

}  // namespace

TEST(TextBuffer, EditsMatchAStandardStringInAnArenaAndOnTheHeap) {
    Arena arena;
    RandomEdits(&arena, 1);
    RandomEdits(nullptr, 2);
}

TEST(TextBuffer, TextsBuiltOneAfterAnotherLieEndToEnd) {
    Arena arena;
    ArenaScope scope(nullptr, &arena);
    TextBuffer first, second;
    for (int i = 0; i < 100; ++i) first.append("0123456789", 10);
    for (int i = 0; i < 100; ++i) second.append("abcdefghij", 10);
    // Each grew in place: the second begins right after the first, and the
    // arena holds little more than the two texts.
    EXPECT_LE(second.c_str() - first.c_str(), 1000 + 16);
    EXPECT_GT(second.c_str(), first.c_str());
    EXPECT_EQ(std::string(1000, 'x').size(), second.size());
}

TEST(TextBuffer, AnEmptyTextIsZeroTerminated) {
    TextBuffer t;
    EXPECT_STREQ("", t.c_str());
    EXPECT_EQ(0, t.data()[0]);
    t.append("ab", 2);
    t.truncate(5);  // longer than the text: no change
    EXPECT_EQ("ab", Contents(t));
    t.clear();
    EXPECT_EQ("", Contents(t));
}
