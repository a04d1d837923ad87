#include <gtest/gtest.h>

#include <string>

#include "html/CharRef.h"

namespace {

struct Decoded {
    int byte;
    int consumed;
    bool operator==(const Decoded& o) const { return byte == o.byte && consumed == o.consumed; }
};

std::ostream& operator<<(std::ostream& os, const Decoded& d) {
    return os << "{" << d.byte << ", " << d.consumed << "}";
}

Decoded Decode(const char* text) {
    int consumed = -1;
    int byte = DecodeCharRef(text, &consumed);
    return {byte, consumed};
}

std::string Entities(const std::string& in, size_t size = 256) {
    std::string out(size, '#');
    size_t n = DecodeEntities(&out[0], size, in.data(), in.size());
    EXPECT_EQ(0, out[n]);
    return out.substr(0, n);
}

}  // namespace

TEST(CharRefDecoding, NamedReferences) {
    EXPECT_EQ(Decode("&amp;"), (Decoded{38, 5}));
    EXPECT_EQ(Decode("&AMP;"), (Decoded{38, 5}));     // lower-cased retry
    EXPECT_EQ(Decode("&AElig;"), (Decoded{230, 7}));  // the retry finds "aelig"
    EXPECT_EQ(Decode("&Aelig;"), (Decoded{198, 7}));
    EXPECT_EQ(Decode("&Eth;x"), (Decoded{208, 5}));
    EXPECT_EQ(Decode("&ETH;"), (Decoded{240, 5}));
    EXPECT_EQ(Decode("&nbsp"), (Decoded{160, 5}));
    EXPECT_EQ(Decode("&nbsp text"), (Decoded{160, 5}));
    EXPECT_EQ(Decode("&notin;"), (Decoded{172, 4}));  // "not" then "in;"
    EXPECT_EQ(Decode("&lt;&gt;"), (Decoded{60, 4}));
    EXPECT_EQ(Decode("&frac34;"), (Decoded{190, 8}));  // longest prefix, not frac1x
    EXPECT_EQ(Decode("&sup2;"), (Decoded{178, 6}));
    EXPECT_EQ(Decode("&sup;"), (Decoded{38, 1}));
}

TEST(CharRefDecoding, UnknownNamesGiveTheAmpersand) {
    EXPECT_EQ(Decode("&foo"), (Decoded{38, 1}));
    EXPECT_EQ(Decode("&"), (Decoded{38, 1}));
    EXPECT_EQ(Decode("& b"), (Decoded{38, 1}));
    EXPECT_EQ(Decode("&a"), (Decoded{38, 1}));
    EXPECT_EQ(Decode("&ZZZ;"), (Decoded{38, 1}));
    EXPECT_EQ(Decode("&\xC0\xC1;"), (Decoded{38, 1}));  // a Cyrillic capital
}

TEST(CharRefDecoding, NumericReferences) {
    EXPECT_EQ(Decode("&#65;"), (Decoded{65, 5}));
    EXPECT_EQ(Decode("&#65x"), (Decoded{65, 4}));
    EXPECT_EQ(Decode("&#1025;"), (Decoded{0xA8, 7}));  // Ё in 1251
    EXPECT_EQ(Decode("&#1103;"), (Decoded{0xFF, 7}));  // я
    EXPECT_EQ(Decode("&#8364;"), (Decoded{0x80, 7}));  // € by code page 1252
    EXPECT_EQ(Decode("&#8470;"), (Decoded{0xB9, 7}));  // № by 1251
    EXPECT_EQ(Decode("&#233;"), (Decoded{233, 6}));
    EXPECT_EQ(Decode("&#x41;"), (Decoded{0, 0}));  // no hexadecimal form
    EXPECT_EQ(Decode("&#;"), (Decoded{0, 0}));
    EXPECT_EQ(Decode("&#99999999999999999999;"), (Decoded{'?', 23}));
    EXPECT_EQ(Decode("x&amp;"), (Decoded{0, 0}));
    EXPECT_EQ(Decode(""), (Decoded{0, 0}));
}

TEST(CharRefDecoding, BoundedLengthIsRespected) {
    int consumed;
    EXPECT_EQ(38, DecodeCharRef("&amp;", 3, &consumed));  // "&am" is no entity
    EXPECT_EQ(1, consumed);
    EXPECT_EQ(60, DecodeCharRef("&lt;", 3, &consumed));
    EXPECT_EQ(3, consumed);
    EXPECT_EQ(4, DecodeCharRef("&#49;", 3, &consumed));  // "&#4"
    EXPECT_EQ(3, consumed);
    EXPECT_EQ(38, DecodeCharRef("&lt", 2, &consumed));  // "l" alone matches no row
}

TEST(CodePoints, SetsAndBytes) {
    struct Case {
        uint32_t cp;
        int set;
        int byte;
    } cases[] = {
        {0xF041, 2, 0x41},   {0x0401, 204, 0xA8}, {0x0491, 204, 0xB4}, {0x2116, 204, 0xB9},
        {0x0098, 204, 0x98}, {0x00E9, 0, 0xE9},   {0x20AC, 0, 0x80},   {0x2122, 0, 0x99},
        {0x0178, 0, 0x9F},   {0x0081, 0, 0x81},   {0x0460, 204, '?'},  {0x03B1, 1, '?'},
        {0x0041, 1, 0x41},   {0x2030, 0, 0x89},
    };
    for (const Case& c : cases) {
        int set = -1;
        unsigned char byte = 0;
        CodePointToByte(c.cp, &set, &byte);
        EXPECT_EQ(c.set, set) << std::hex << c.cp;
        EXPECT_EQ(c.byte, byte) << std::hex << c.cp;
    }
}

TEST(EntityDecoding, CopiesAndReplaces) {
    EXPECT_EQ(Entities("A &amp; B"), "A & B");
    EXPECT_EQ(Entities("&lt;b&gt; &foo; &#x41; &#66;"), "<b> &foo; &#x41; B");
    EXPECT_EQ(Entities(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(Entities("abcdef", 4), "abc");
    EXPECT_EQ(Entities("&amp;&amp;&amp;", 3), "&&");
    EXPECT_EQ(Entities("x&amp", 256), "x&");
    char none = 'z';
    EXPECT_EQ(0u, DecodeEntities(&none, 0, "abc", 3));
    EXPECT_EQ('z', none);
}
