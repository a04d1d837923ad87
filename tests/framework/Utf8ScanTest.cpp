// The whole-text UTF-8 scans (the page charset test, display conversions)
// skip ASCII runs a word at a time; they must answer as a scan of one
// sequence after another does, wherever a sequence falls against the words.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "framework/Cp1251.h"
#include "framework/Utf8.h"

namespace {

// The scans one sequence at a time, as they were written first.
bool LooksLikeUtf8BySequence(const std::string& s) {
    const auto* u = reinterpret_cast<const unsigned char*>(s.data());
    bool multi = false;
    for (size_t i = 0; i < s.size();) {
        uint32_t cp;
        size_t len = utf8::Decode(u + i, s.size() - i, &cp);
        if (len == 0) return false;
        multi |= len > 1;
        i += len;
    }
    return multi;
}

bool IsValidBySequence(const std::string& s) {
    const auto* u = reinterpret_cast<const unsigned char*>(s.data());
    for (size_t i = 0; i < s.size();) {
        uint32_t cp;
        size_t len = utf8::Decode(u + i, s.size() - i, &cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

void ExpectSameAnswers(const std::string& s) {
    EXPECT_EQ(LooksLikeUtf8BySequence(s), cp1251::LooksLikeUtf8(s.data(), s.size()))
        << testing::PrintToString(s);
    EXPECT_EQ(IsValidBySequence(s), utf8::IsValid(s.data(), s.size())) << testing::PrintToString(s);
}

// Markup with a Russian word in UTF-8 (or a stray byte) at each offset
// within the first words, so that it falls everywhere against the 8-byte
// steps, and the page cut at each length near its end.
std::vector<std::string> GeneratedPages() {
    const std::string word = "\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8";
    const std::vector<std::string> strays = {word,
                                             "\xD0",
                                             "\x80",
                                             "\xC3\x28",
                                             "\xE2\x82",
                                             "\xF0\x9F\x98\x80",
                                             "\xED\xA0\x80",
                                             "\xC0\xAF",
                                             "\xCD\xEE\xE2\xEE\xF1\xF2\xE8",
                                             std::string(1, '\0')};
    std::vector<std::string> pages;
    const std::string markup =
        "<p class=x>The council met &amp; agreed.</p>\n<a href='/n'>more</a>";
    for (const std::string& stray : strays) {
        for (size_t at = 0; at <= 24; ++at) {
            std::string page = markup.substr(0, at) + stray + markup.substr(at);
            pages.push_back(page);
            for (size_t cut = 1; cut <= 4 && cut < page.size(); ++cut)
                pages.push_back(page.substr(0, page.size() - cut));
            pages.push_back(page + stray + markup);
        }
    }
    return pages;
}

TEST(Utf8Scan, GeneratedPagesAnswerAsTheSequenceScan) {
    for (const std::string& page : GeneratedPages()) ExpectSameAnswers(page);
}

TEST(Utf8Scan, RandomBytesAnswerAsTheSequenceScan) {
    std::mt19937 rng(5);
    for (int round = 0; round < 4000; ++round) {
        std::string s(rng() % 40, ' ');
        // Mostly ASCII, some lead and continuation bytes, so that both
        // answers come up.
        for (char& c : s) {
            unsigned r = rng() % 16;
            c = static_cast<char>(r < 12   ? 0x20 + rng() % 0x5F
                                  : r < 14 ? 0x80 + rng() % 0x40
                                           : 0xC2 + rng() % 0x33);
        }
        ExpectSameAnswers(s);
    }
}

TEST(Utf8Scan, HandMadeTexts) {
    EXPECT_FALSE(cp1251::LooksLikeUtf8("", 0));
    std::string ascii(100, 'a');
    EXPECT_FALSE(cp1251::LooksLikeUtf8(ascii.data(), ascii.size())) << "nothing beyond ASCII";
    EXPECT_TRUE(utf8::IsValid(ascii.data(), ascii.size()));
    std::string russian = ascii + "\xD0\xB4\xD0\xB0" + ascii;
    EXPECT_TRUE(cp1251::LooksLikeUtf8(russian.data(), russian.size()));
    std::string cp1251Text = ascii + "\xE4\xE0" + ascii;
    EXPECT_FALSE(cp1251::LooksLikeUtf8(cp1251Text.data(), cp1251Text.size()));
    EXPECT_FALSE(utf8::IsValid(cp1251Text.data(), cp1251Text.size()));
    std::string cutAtEnd = ascii + "\xD0\xB4\xD0";
    EXPECT_FALSE(cp1251::LooksLikeUtf8(cutAtEnd.data(), cutAtEnd.size()));
    EXPECT_EQ(8u, utf8::AsciiRun("abcdefgh\xD0\xB4", 10));
    EXPECT_EQ(3u, utf8::AsciiRun("abc\x80zzzzzzzzzz", 14));
    EXPECT_EQ(5u, utf8::AsciiRun("abcde", 5));
}

}  // namespace
