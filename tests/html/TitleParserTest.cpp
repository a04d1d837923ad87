#include <gtest/gtest.h>

#include <string>

#include "MemoryInput.h"
#include "html/Charset.h"
#include "html/TitleParser.h"
#include "support/TempDir.h"

namespace {

// Reads the title of a page written to a temporary file.
std::string TitleOf(const std::string& page, int* code) {
    TempDir dir;
    std::string path = dir.Write("page.htm", page);
    return ReadPageTitle(path.c_str(), code).c_str();
}

std::string TitleOf(const std::string& page) {
    int code = 1;
    return TitleOf(page, &code);
}

}  // namespace

TEST(CollapseSpacesTest, LeadingInnerAndTrailingSpace) {
    EXPECT_EQ(CollapseSpaces("  a \r\n\t b  "), "a b ");
    EXPECT_EQ(CollapseSpaces("\n\n"), "");
    EXPECT_EQ(CollapseSpaces("x"), "x");
    EXPECT_EQ(CollapseSpaces(""), "");
    EXPECT_EQ(CollapseSpaces(nullptr), "");
}

TEST(PageTitle, CyrillicTitleCollapses) {
    // "  Новости\r\n  дня" in 1251.
    EXPECT_EQ(
        TitleOf("<html><head><title>  \xCD\xEE\xE2\xEE\xF1\xF2\xE8\r\n  \xE4\xED\xFF</title>"),
        "\xCD\xEE\xE2\xEE\xF1\xF2\xE8 \xE4\xED\xFF");
    EXPECT_EQ(TitleOf("<title>Trailing   </title>"), "Trailing ");
}

TEST(PageTitle, ReferencesAreDecoded) {
    EXPECT_EQ(TitleOf("<title>A &amp; B</title>"), "A & B");
    EXPECT_EQ(TitleOf("<TITLE>&lt;x&gt; &copy;</TITLE>"), "<x> \xA9");
}

TEST(PageTitle, StopsAtTheBody) {
    EXPECT_EQ(TitleOf("<html><body><title>late</title>"), "");
    EXPECT_EQ(TitleOf("<p>no title here"), "");
    // Script content is skipped raw, even when it looks like a title.
    EXPECT_EQ(TitleOf("<script>'<title>x</title>'</script><title>real</title>"), "real");
}

TEST(PageTitle, TextAfterTheTitleUpToTheNextTagCounts) {
    EXPECT_EQ(TitleOf("<title>one</title> tail<meta name=x><title>two</title>"), "one tailtwo");
}

TEST(PageTitle, DeclaredCharsetConvertsTheTitle) {
    int code = 0;
    // "Привет" in KOI8.
    EXPECT_EQ(TitleOf("<meta http-equiv='content-type' content='text/html; charset=koi8-r'>"
                      "<title>\xF0\xD2\xC9\xD7\xC5\xD4</title>",
                      &code),
              "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(3, code);
}

TEST(PageTitle, KnownCodeIsKept) {
    int code = 1;
    EXPECT_EQ(TitleOf("<meta http-equiv=Content-Type content='text/html; charset=koi8-r'>"
                      "<title>\xF0\xD2\xC9</title>",
                      &code),
              "\xF0\xD2\xC9");
    EXPECT_EQ(1, code);
}

TEST(PageTitle, UndeclaredCharsetIsDetected) {
    int code = 0;
    std::string dos = "\xAD\xAE\xA2\xAE\xE1\xE2\xA8 \xA4\xAD\xEF \xA8 \xAF\xAE\xA3\xAE\xA4\xA0 ";
    std::string page = "<title>\x8F\xE0\xA8\xA2\xA5\xE2</title><body>";
    for (int i = 0; i < 10; ++i) page += dos;
    EXPECT_EQ(TitleOf(page, &code), "\xCF\xF0\xE8\xE2\xE5\xF2");  // 866 "Привет" converted
    EXPECT_EQ(2, code);

    int ascii = 0;
    EXPECT_EQ(TitleOf("<title>Plain</title>", &ascii), "Plain");
    EXPECT_EQ(0, ascii);
}

TEST(PageTitle, MissingFileGivesEmptyTitleAndKeepsTheCode) {
    TempDir dir;
    int code = 0;
    EXPECT_EQ(ReadPageTitle(dir.File("absent.htm").c_str(), &code), "");
    EXPECT_EQ(0, code);
}

TEST(PageTitle, TitlesOutsideTheCyrillicEncodingsComeOutAsUtf8) {
    int code = 0;
    EXPECT_EQ("Übung &amp; Café €", TitleOf("<meta charset=iso-8859-1><title>\xDC"
                                            "bung &amp;amp; Caf&eacute; &euro;</title>",
                                            &code));
    EXPECT_EQ(kCharsetWestern, code);
    code = 0;
    EXPECT_EQ("Grüße — Привет", TitleOf("<title>Grüße &mdash; Привет</title>", &code));
    EXPECT_EQ(kCharsetUtf8, code);
    code = CharsetCode("windows-1250");
    EXPECT_EQ("Zażółć", TitleOf("<title>Za\xBF\xF3\xB3\xE6</title>", &code));
}
