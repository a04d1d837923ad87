// Pages in the encodings outside the Cyrillic ones, read as a check reads
// them: the recorded texts come out as UTF-8, character references as the
// characters they name, links as a browser opens them. The Cyrillic
// encodings keep their working code page bytes.
#include <gtest/gtest.h>

#include <string>

#include "PageFixture.h"
#include "html/Charset.h"

namespace {

const char kOld[] = "<p>Nothing yet";

// A new paragraph, and its link when it has one, against an old page that
// has neither.
Recs Added(const std::string& page, int32_t charset = 0) {
    return ComparePages(kOld, page, kModeText, false, charset).records;
}

TEST(CharsetPage, LatinPagesByHttpHeaderMetaAndName) {
    // ISO-8859-1 named by the HTTP header (the code the download keeps).
    EXPECT_EQ(Recs({{"Hinzugefügt: Übung", ""}}), Added("<p>Hinzugef\xFCgt: \xDC"
                                                        "bung",
                                                        CharsetCode("ISO-8859-1")));
    // windows-1252 named by a meta element only.
    EXPECT_EQ(Recs({{"“new” €", ""}}), Added("<html><head><meta http-equiv='Content-Type' "
                                             "content='text/html; charset=windows-1252'></head>"
                                             "<body><p>\x93new\x94 \x80</body>"));
    // windows-1250 and ISO-8859-2 by the short meta form.
    EXPECT_EQ(Recs({{"Zażółć gęślą jaźń", ""}}),
              Added("<meta charset=windows-1250><p>Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"));
    EXPECT_EQ(
        Recs({{"Zażółć gęślą jaźń", ""}}),
        Added("<meta charset=\"ISO-8859-2\"><p>Za\xBF\xF3\xB3\xE6 g\xEA\xB6l\xB1 ja\xBC\xF1"));
    EXPECT_EQ(Recs({{"Šiandien žinios: ąčęėįšųūž", ""}}),
              Added("<meta charset=windows-1257><p>\xD0iandien \xFEinios: "
                    "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE"));
    EXPECT_EQ(
        Recs({{"Καλημέρα κόσμε", ""}}),
        Added("<meta charset=iso-8859-7><p>\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1 \xEA\xFC\xF3\xEC\xE5"));
    EXPECT_EQ(Recs({{"Добро пожаловать", ""}}),
              Added("<p>\xB4\xDE\xD1\xE0\xDE \xDF\xDE\xD6\xD0\xDB\xDE\xD2\xD0\xE2\xEC",
                    CharsetCode("iso8859-5")));
}

TEST(CharsetPage, Utf8WithAndWithoutMarkOrDeclaration) {
    const Recs expected = {{"Grüße aus Köln — Привет", ""}};
    EXPECT_EQ(expected, Added("\xEF\xBB\xBF<p>Grüße aus Köln — Привет"));
    EXPECT_EQ(expected, Added("<p>Grüße aus Köln — Привет"));
    EXPECT_EQ(expected, Added("<meta charset=utf-8><p>Grüße aus Köln — Привет"));
    EXPECT_EQ(expected, Added("<p>Grüße aus Köln — Привет", CharsetCode("utf-8")));
    // The mark wins over a header that names something else.
    EXPECT_EQ(expected, Added("\xEF\xBB\xBF<p>Grüße aus Köln — Привет", CharsetCode("koi8-r")));
}

TEST(CharsetPage, Utf16PagesByTheirByteOrderMark) {
    const std::string text = "<p>Grüße €";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    // The code points of the text, written out as UTF-16 by hand.
    const uint16_t units[] = {'<', 'p', '>', 'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x20AC};
    for (uint16_t u : units) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    EXPECT_EQ(Recs({{"Grüße €", ""}}), Added(le));
    EXPECT_EQ(Recs({{"Grüße €", ""}}), Added(be));
}

TEST(CharsetPage, ReferencesBecomeTheirCharactersInUtf8Pages) {
    EXPECT_EQ(Recs({{"é Ü € € — … ™ < 😀 ¬it; &bogus; © 2024", ""}}),
              Added("<meta charset=utf-8><p>&eacute; &Uuml; &#8364; &euro; &mdash; &hellip; "
                    "&trade; &#x3C; &#128512; &notit; &bogus; &copy 2024"));
    // Numbers in 0x80 to 0x9F are read as browsers read them.
    EXPECT_EQ(Recs({{"€ ‘x’", ""}}), Added("<meta charset=utf-8><p>&#128; &#145;x&#x92;"));
}

TEST(CharsetPage, LinksAreTheAddressesABrowserOpens) {
    // The same markup in both encodings paths: `&amp;` is `&` in the link,
    // `&copy=` stays as written (no `;`, followed by `=`).
    const char* link = "<p><a href='search?q=a&amp;b=c&copy=2&#x41;'>Search page</a>";
    const Recs expected = {{"Search page", "http://host/dir/search?q=a&b=c&copy=2A"}};
    EXPECT_EQ(expected, Added(std::string("<meta charset=utf-8>") + link));
    EXPECT_EQ(expected, Added(link, kCharsetWindows));
    // A base given with a reference in it (a letter: how a joined address
    // escapes an "&" in its path is the platform's URL library's business).
    EXPECT_EQ(
        Recs({{"Next", "http://other/dir/next.htm"}}),
        Added("<base href='http://other/d&#x69;r/'><p><a href=next.htm>Next</a>", kCharsetUtf8));
}

TEST(CharsetPage, CyrillicPagesKeepTheWorkingCodePage) {
    const std::string text = "\xC4\xEE\xE1\xF0\xEE \xEF\xEE\xE6\xE0\xEB\xEE\xE2\xE0\xF2\xFC";
    // Given, declared and detected 1251 all give the same 1251 bytes.
    EXPECT_EQ(Recs({{text, ""}}), Added("<p>" + text, kCharsetWindows));
    EXPECT_EQ(Recs({{text, ""}}),
              Added("<meta http-equiv=Content-Type content='text/html; charset=windows-1251'><p>" +
                    text));
    EXPECT_EQ(Recs({{text, ""}}), Added("<p>" + text));
    // And their references stay single 1251 bytes: `&#1025;` is Ё (0xA8).
    EXPECT_EQ(Recs({{text + " \xA8", ""}}), Added("<p>" + text + " &#1025;", kCharsetWindows));
}

TEST(CharsetPage, AnUnchangedUtf8PageGivesNoChange) {
    const std::string page =
        "<meta charset=iso-8859-1><p>Hinzugef\xFCgt &eacute;<p><a href='a?x=1&amp;y=2'>Link</a>";
    EXPECT_EQ(0, ComparePages(page, page, kModeText, false, 0, 0).level);
    EXPECT_EQ(0, ComparePages(page, page, kModeLinks, false, 0, 0).level);
    // The same page one paragraph longer records only that paragraph.
    EXPECT_EQ(Recs({{"Übung", ""}}), ComparePages(page,
                                                  page + "<p>\xDC"
                                                         "bung",
                                                  kModeText, false, 0, 0)
                                         .records);
}

}  // namespace
