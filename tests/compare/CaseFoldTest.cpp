// Case folding of Latin, Greek and Cyrillic letters, and the search without
// regard to case over texts in 1251 and UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "compare/FindText.h"
#include "framework/CaseFold.h"

namespace {

long Find(const std::string& text, const std::string& key) {
    return FindText(text.data(), text.size(), key.data(), key.size(), false);
}

}  // namespace

TEST(CaseFold, CapitalsOfEachScriptFoldToTheirSmallLetters) {
    const std::pair<uint32_t, uint32_t> pairs[] = {
        {'A', 'a'},     {0xC9, 0xE9},   {0xDE, 0xFE},   {0x100, 0x101}, {0x141, 0x142},
        {0x17D, 0x17E}, {0x178, 0xFF},  {0x152, 0x153}, {0x391, 0x3B1}, {0x3A3, 0x3C3},
        {0x3C2, 0x3C3}, {0x386, 0x3AC}, {0x38F, 0x3CE}, {0x410, 0x430}, {0x42F, 0x44F},
        {0x401, 0x451}, {0x490, 0x491}, {0x4D8, 0x4D9}, {0x4C1, 0x4C2},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(p.second, casefold::Fold(p.first)) << std::hex << p.first;
        EXPECT_EQ(p.second, casefold::Fold(p.second)) << std::hex << p.second;
    }
    for (uint32_t same : {0xD7u, 0xDFu, 0x20ACu, 0x1F600u, 0x31u})
        EXPECT_EQ(same, casefold::Fold(same));
}

TEST(FindTextFolded, KeywordsMatchTextsInEitherEncoding) {
    const std::string win = "\xCD\xEE\xE2\xFB\xE5 \xCF\xD0\xC8\xC2\xC5\xD2";  // "Новые ПРИВЕТ"
    EXPECT_EQ(6, Find(win, "привет"));                // UTF-8 key, 1251 text
    EXPECT_EQ(0, Find(win, "\xED\xEE\xE2\xFB\xE5"));  // 1251 both: the system's tables
    EXPECT_EQ(11, Find("Новые ПРИВЕТ", "привет"));    // UTF-8 both, byte offset
    EXPECT_EQ(11, Find("Новые ПРИВЕТ", "\xEF\xF0\xE8\xE2\xE5\xF2"));  // 1251 key
    EXPECT_EQ(0, Find("ÜBUNG macht", "übung"));
    EXPECT_EQ(0, Find("ΚΑΛΗΜΈΡΑ", "καλημέρα"));
    EXPECT_EQ(4, Find("Zażółć", "ÓŁĆ"));
    EXPECT_EQ(-1, Find("Grüße", "grüsse"));  // simple folding: ß stays
    EXPECT_EQ(-1, Find("Привет", "Пока"));
}

TEST(CaseFold, LettersInEitherEncoding) {
    EXPECT_TRUE(casefold::HasLetter("12 \xC0", 4));      // 1251 А
    EXPECT_FALSE(casefold::HasLetter("12:30 \xB9", 7));  // 1251 №
    EXPECT_TRUE(casefold::HasLetter("12 é", 5));
    EXPECT_TRUE(casefold::HasLetter("Ω", 2));
    EXPECT_FALSE(casefold::HasLetter("€ 5 — 10 ×", 15));
    EXPECT_FALSE(casefold::HasLetter("😀 2024", 9));
}
