#include "framework/AStr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "framework/Cp1251.h"

TEST(AStr, EmptyIsNullAndReadsAsEmptyText) {
    AStr s;
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_STREQ("", s.c_str());
    EXPECT_TRUE(s.IsEmpty());
    AStr fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(nullptr, fromNull.Data());
    AStr fromEmpty("");
    EXPECT_EQ(nullptr, fromEmpty.Data());
}

TEST(AStr, CopiesAreIndependent) {
    AStr a("alpha");
    AStr b(a);
    b.MakeUpper();
    EXPECT_STREQ("alpha", a.c_str());
    EXPECT_STREQ("ALPHA", b.c_str());
    AStr c = std::move(b);
    EXPECT_EQ(nullptr, b.Data());
    EXPECT_STREQ("ALPHA", c.c_str());
    AStr& same = a;
    a = same;  // self-assignment keeps the text
    EXPECT_STREQ("alpha", a.c_str());
}

TEST(AStr, AppendSubStrAndFind) {
    AStr s("News");
    s.Append("/Weather report").Append('!');
    EXPECT_STREQ("News/Weather report!", s.c_str());
    EXPECT_EQ(20u, s.Length());
    EXPECT_STREQ("Weather", s.SubStr(5, 7).c_str());
    EXPECT_STREQ("report!", s.SubStr(13).c_str());
    EXPECT_TRUE(s.SubStr(99).IsEmpty());
    EXPECT_EQ(4, s.Find('/'));
    EXPECT_EQ(13, s.Find("report"));
    EXPECT_EQ(-1, s.Find("absent"));
    // Appending a part of itself reads the source before freeing it.
    AStr self("ab");
    self.Append(self.c_str());
    EXPECT_STREQ("abab", self.c_str());
    self = self.c_str() + 2;
    EXPECT_STREQ("ab", self.c_str());
}

TEST(AStr, AppendsGrowTheBufferGeometricallyAndKeepTheLength) {
    AStr s;
    size_t reallocations = 0;
    const char* buffer = nullptr;
    for (int i = 0; i < 10000; ++i) {
        s += static_cast<char>('a' + i % 26);
        if (s.c_str() != buffer) ++reallocations;
        buffer = s.c_str();
        ASSERT_EQ(static_cast<size_t>(i) + 1, s.Length());
        ASSERT_LE(s.Length(), s.Capacity());
    }
    EXPECT_LE(reallocations, 12u);
    EXPECT_EQ(std::strlen(s.c_str()), s.Length());
    EXPECT_EQ('z', s.c_str()[25]);
    // Room reserved up front is used without moving the text.
    AStr r("x");
    r.Reserve(100);
    const char* before = r.c_str();
    for (int i = 0; i < 99; ++i) r += 'y';
    EXPECT_EQ(before, r.c_str());
    EXPECT_EQ(100u, r.Length());
}

TEST(AStr, SelfAppendReadsTheSourceBeforeTheBufferMoves) {
    AStr grown("abc");  // exact size: the append reallocates
    grown.Append(grown.c_str());
    EXPECT_STREQ("abcabc", grown.c_str());
    EXPECT_EQ(6u, grown.Length());
    AStr roomy("abc");
    roomy.Reserve(64);  // room to spare: the append copies in place
    roomy.Append(roomy.c_str() + 1, 2);
    EXPECT_STREQ("abcbc", roomy.c_str());
    roomy += roomy;
    EXPECT_STREQ("abcbcabcbc", roomy.c_str());
    roomy.Assign(roomy.c_str() + 5, 3);  // assigning a part of itself
    EXPECT_STREQ("abc", roomy.c_str());
    EXPECT_EQ(3u, roomy.Length());
}

TEST(AStr, TextEndsAtTheFirstZeroByte) {
    AStr s("ab\0cd", 5);
    EXPECT_EQ(2u, s.Length());
    s.Append("x\0y", 3);
    EXPECT_STREQ("abx", s.c_str());
    EXPECT_EQ(3u, s.Length());
    EXPECT_TRUE(AStr("\0abc", 4).IsEmpty());
}

TEST(AStr, AttachAndDetachHandOverTheBuffer) {
    AStr s("old");
    char* buffer = new char[8];
    std::memcpy(buffer, "fresh", 6);
    s.Attach(buffer);
    EXPECT_EQ(buffer, s.Data());
    EXPECT_EQ(5u, s.Length());
    s += "er";  // the attached buffer grows like any other
    EXPECT_STREQ("fresher", s.c_str());
    char* out = s.Detach();
    EXPECT_STREQ("fresher", out);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(nullptr, s.Data());
    delete[] out;
    // An empty buffer attached is the empty string; detaching it gives null.
    s.Attach(new char[1]{0});
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_EQ(nullptr, s.Detach());
    AStr emptied("text");
    emptied.Truncate(0);
    EXPECT_EQ(nullptr, emptied.Data());
    EXPECT_EQ(nullptr, emptied.Detach());
}

TEST(AStr, TruncateAfterAnInPlaceWriteKeepsTheLengthTrue) {
    AStr s("a/../b");
    char* p = s.Data();
    p[1] = 0;  // a writer through Data() that shortens the text says so
    s.Truncate(std::strlen(p));
    EXPECT_EQ(1u, s.Length());
    s += "c";
    EXPECT_STREQ("ac", s.c_str());
    s.Truncate(10);  // longer than the text: nothing changes
    EXPECT_STREQ("ac", s.c_str());
}

TEST(AStr, SubStrClampsToTheText) {
    AStr s("0123456789");
    EXPECT_STREQ("", s.SubStr(10).c_str());
    EXPECT_EQ(nullptr, s.SubStr(10).Data());
    EXPECT_STREQ("89", s.SubStr(8, 5).c_str());
    EXPECT_EQ(2u, s.SubStr(8, 5).Length());
    EXPECT_STREQ("0123456789", s.SubStr(0).c_str());
    EXPECT_STREQ("", s.SubStr(3, 0).c_str());
}

TEST(AStr, CompareIsByteOrderAndNoCaseUsesTheSystemTables) {
    EXPECT_LT(AStr("B").Compare("a"), 0);
    EXPECT_EQ(0, AStr("\xC0\xE1\xE2").CompareNoCase("\xE0\xC1\xC2"));  // А б в / а Б В
    EXPECT_EQ(0, AStr("\xA8").CompareNoCase("\xB8"));                  // Ё / ё
    EXPECT_TRUE(AStr("MAILTO:x").StartsWithNoCase("mailto:"));
    EXPECT_FALSE(AStr("mail").StartsWithNoCase("mailto:"));
}

TEST(AStr, CyrillicCaseConversionInPlace) {
    AStr s("\xEF\xF0\xE8\xE2\xE5\xF2 \xB8\xE6 Hello");  // привет ёж Hello
    s.MakeUpper();
    EXPECT_STREQ("\xCF\xD0\xC8\xC2\xC5\xD2 \xA8\xC6 HELLO", s.c_str());
    s.MakeLower();
    EXPECT_STREQ("\xEF\xF0\xE8\xE2\xE5\xF2 \xB8\xE6 hello", s.c_str());
}

TEST(AStr, FromUtf16MapsToCodePage1251) {
    const char16_t text[] = u"\u041F\u0440\u0438 \u2116 \u20AC x\u4E2D";
    AStr s = AStr::FromUtf16(text);
    EXPECT_STREQ("\xCF\xF0\xE8 \xB9 \x88 x?", s.c_str());
    const char16_t pair[] = {0xD83D, 0xDE00, 'a', 0};  // one emoji: one '?'
    EXPECT_STREQ("?a", AStr::FromUtf16(pair).c_str());
    EXPECT_TRUE(AStr::FromUtf16(u"").IsEmpty());
}

TEST(Cp1251, LetterAndAlphanumericTests) {
    EXPECT_TRUE(cp1251::IsLetter('a'));
    EXPECT_TRUE(cp1251::IsLetter(0xC0));
    EXPECT_TRUE(cp1251::IsLetter(0xFF));
    EXPECT_TRUE(cp1251::IsLetter(0xA8));
    EXPECT_FALSE(cp1251::IsLetter('5'));
    EXPECT_FALSE(cp1251::IsLetter(0xB9));  // numero sign
    EXPECT_FALSE(cp1251::IsLetter(0xA0));
    EXPECT_TRUE(cp1251::IsAlphaNumeric('5'));
    EXPECT_FALSE(cp1251::IsAlphaNumeric('-'));
}

TEST(Cp1251, EveryByteRoundTripsThroughUnicode) {
    for (int c = 1; c < 256; ++c) {
        if (c == 0x98) continue;
        EXPECT_EQ(c, cp1251::FromUnicode(cp1251::ToUnicode(static_cast<unsigned char>(c))))
            << "byte " << c;
    }
}

TEST(Cp1251, DisplayRuleChoosesUtf8OnlyForValidMultiByteText) {
    EXPECT_EQ("\xD0\x9F", cp1251::ForDisplay("\xCF"));      // 1251 П becomes UTF-8
    EXPECT_EQ("\xD0\x9F", cp1251::ForDisplay("\xD0\x9F"));  // already UTF-8: as it is
    EXPECT_EQ("plain", cp1251::ForDisplay("plain"));
    EXPECT_EQ("\xCF", cp1251::FromUtf8("\xD0\x9F", 2));
}
