// Character references as browsers read them, and the choice of the
// encoding a page is read in.
#include <gtest/gtest.h>

#include <string>

#include "html/Charset.h"
#include "html/NamedRefs.h"
#include "html/PageCharset.h"
#include "html/RefDecode.h"

namespace {

// The UTF-8 of the reference at the start of text and how much it took.
std::pair<std::string, int> Ref(const std::string& text, bool inAttribute = false) {
    char out[8];
    int used = -1;
    size_t n = DecodeReferenceUtf8(text.data(), text.size(), inAttribute, out, &used);
    return {std::string(out, n), used};
}

using Decoded = std::pair<std::string, int>;

}  // namespace

TEST(NamedRefs, TableIsSortedAndComplete) {
    ASSERT_EQ(2125u, kNamedRefCount);
    for (size_t i = 1; i < kNamedRefCount; ++i)
        EXPECT_LT(std::string(kNamedRefs[i - 1].name), std::string(kNamedRefs[i].name));
    size_t legacy = 0;
    for (size_t i = 0; i < kNamedRefCount; ++i) legacy += kNamedRefs[i].legacy;
    EXPECT_EQ(106u, legacy);
}

TEST(RefDecode, NamedNumericAndWithoutSemicolon) {
    EXPECT_EQ(Decoded("é", 8), Ref("&eacute; x"));
    EXPECT_EQ(Decoded("Ü", 6), Ref("&Uuml;"));
    EXPECT_EQ(Decoded("€", 6), Ref("&euro;"));
    EXPECT_EQ(Decoded("—", 7), Ref("&mdash;"));
    EXPECT_EQ(Decoded("…", 8), Ref("&hellip;"));
    EXPECT_EQ(Decoded("™", 7), Ref("&trade;"));
    EXPECT_EQ(Decoded("&", 5), Ref("&AMP;"));
    EXPECT_EQ(Decoded("≫⃒", 5), Ref("&nGt;"));  // two code points
    EXPECT_EQ(Decoded("€", 7), Ref("&#8364;"));
    EXPECT_EQ(Decoded("<", 6), Ref("&#x3C;"));
    EXPECT_EQ(Decoded("<", 5), Ref("&#X3c"));
    EXPECT_EQ(Decoded("😀", 9), Ref("&#128512;"));
    EXPECT_EQ(Decoded("€", 6), Ref("&#128;"));  // read as Windows-1252
    EXPECT_EQ(Decoded("\xEF\xBF\xBD", 4), Ref("&#0;"));
    EXPECT_EQ(Decoded("\xEF\xBF\xBD", 8), Ref("&#xD800;"));
    EXPECT_EQ(Decoded("\xEF\xBF\xBD", 17), Ref("&#99999999999999;"));
    // Older names need no ";"; the longest one that fits is taken.
    EXPECT_EQ(Decoded("\xC2\xA0", 5), Ref("&nbsp text"));
    EXPECT_EQ(Decoded("∉", 7), Ref("&notin;"));
    EXPECT_EQ(Decoded("¬", 4), Ref("&notit;"));
    // No reference at all.
    EXPECT_EQ(Decoded("", 0), Ref("&bogus;"));
    EXPECT_EQ(Decoded("", 0), Ref("&mdash"));  // a newer name needs its ";"
    EXPECT_EQ(Decoded("", 0), Ref("&#;"));
    EXPECT_EQ(Decoded("", 0), Ref("&#x;"));
    EXPECT_EQ(Decoded("", 0), Ref("& "));
    EXPECT_EQ(Decoded("", 0), Ref("&"));
}

TEST(RefDecode, AttributeValuesKeepOlderNamesBeforeLettersAndEquals) {
    EXPECT_EQ(Decoded("", 0), Ref("&copy=2", true));
    EXPECT_EQ(Decoded("", 0), Ref("&copyx", true));
    EXPECT_EQ(Decoded("©", 5), Ref("&copy/", true));
    EXPECT_EQ(Decoded("©", 6), Ref("&copy;x", true));

    EXPECT_EQ(AStr("search?q=a&b=c&copy=2"),
              DecodeAttributeValue("search?q=a&amp;b=c&copy=2", 25, true));
    EXPECT_EQ(AStr("a\xC3\xA9"), DecodeAttributeValue("a&eacute;", 9, true));
    // In the working code page: a character 1251 has becomes its byte, one
    // it lacks stays as written.
    EXPECT_EQ(AStr("a\xA8&eacute;"), DecodeAttributeValue("a&#1025;&eacute;", 16, false));
    EXPECT_EQ(AStr("plain"), DecodeAttributeValue("plain", 5, false));
}

TEST(PageCharset, MarksGivenCodesDeclarationsAndDetection) {
    size_t skip = 9;
    EXPECT_EQ(kCharsetUtf8, ChoosePageCharset("\xEF\xBB\xBFx", 4, kCharsetKoi8, &skip));
    EXPECT_EQ(3u, skip);
    EXPECT_EQ(kCharsetUtf16Le, ChoosePageCharset("\xFF\xFEx\0", 4, 0, &skip));
    EXPECT_EQ(2u, skip);
    EXPECT_EQ(kCharsetUtf16Be, ChoosePageCharset("\xFE\xFF\0x", 4, 0, &skip));

    const std::string koi = "<p>\xF0\xD2\xC9\xD7\xC5\xD4";
    EXPECT_EQ(kCharsetKoi8, ChoosePageCharset(koi.data(), koi.size(), kCharsetKoi8, &skip));
    EXPECT_EQ(0u, skip);
    // Undeclared Cyrillic bytes are left to the document builder's guess.
    EXPECT_EQ(kCharsetUnknown, ChoosePageCharset(koi.data(), koi.size(), 0, &skip));

    const std::string declared[] = {
        "<meta charset=iso-8859-2><p>\xB1",
        "<html><head><title>x</title><META HTTP-EQUIV=content-type "
        "CONTENT='text/html; charset=ISO-8859-2'><p>\xB1",
        "<script>var s='<meta charset=utf-8>';</script><meta charset='iso-8859-2'>",
    };
    for (const std::string& page : declared)
        EXPECT_EQ(kCharsetLatin2, ChoosePageCharset(page.data(), page.size(), 0, &skip)) << page;

    const std::string utf8 = "<p>Grüße", ascii = "<p>plain &eacute;";
    EXPECT_EQ(kCharsetUtf8, ChoosePageCharset(utf8.data(), utf8.size(), 0, &skip));
    // Plain ASCII reads the same either way and stays on the Cyrillic path.
    EXPECT_EQ(kCharsetUnknown, ChoosePageCharset(ascii.data(), ascii.size(), 0, &skip));
    // A declaration past the first 8 KB is not looked for.
    const std::string late = std::string(9000, ' ') + "<meta charset=iso-8859-2>\xB1";
    EXPECT_EQ(kCharsetUnknown, ChoosePageCharset(late.data(), late.size(), 0, &skip));
}
