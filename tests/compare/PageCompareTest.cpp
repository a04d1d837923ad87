#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "PageFixture.h"
#include "Text1251.h"
#include "compare/HtmlComparator.h"
#include "compare/HtmlItemStream.h"
#include "compare/TableRows.h"
#include "html/CharRef.h"
#include "html/Charset.h"
#include "watchlist/ItemProperties.h"

namespace {

std::vector<std::string> Numbered(int count, const char* stem = "Paragraph number") {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(std::string(stem) + " " + std::to_string(i));
    return texts;
}

}  // namespace

TEST(TextHash16, RotatesAndMixesEachByte) {
    EXPECT_EQ(0u, TextHash16("", 0));
    EXPECT_EQ(0x41u, TextHash16("A", 1));
    EXPECT_EQ(((0x41u << 1) ^ 0x42u), TextHash16("AB", 2));
    // Bit 15 comes back at bit 0.
    EXPECT_EQ(0x8000u, TextHash16(std::string("\x80\0\0\0\0\0\0\0\0", 9).data(), 9));
    EXPECT_EQ(1u, TextHash16(std::string("\x80\0\0\0\0\0\0\0\0\0", 10).data(), 10));
}

TEST(TextHash16, ItemsKeepTheHashOfTheTextAsTheDocumentHeldIt) {
    auto doc = BuildPage(Paragraphs({"a", "bb &amp; cc", "Longer paragraph text", "", "x",
                                     "Fish &#65; chips", "seven", "eight words here"}));
    std::vector<std::string> held;
    for (Paragraph* p = FirstParagraph(&doc->Root()); p; p = NextParagraph(p, &doc->Root()))
        held.emplace_back(p->Text(), p->Length());
    HtmlItemStream stream(*doc);
    ASSERT_EQ(static_cast<int32_t>(held.size()), stream.ParagraphCount());
    for (uint32_t i = 0; i < held.size(); ++i) {
        EXPECT_EQ(TextHash16(held[i].data(), static_cast<uint32_t>(held[i].size())),
                  stream.At(i)->hash)
            << held[i];
    }
    EXPECT_TRUE(stream.At(static_cast<uint32_t>(held.size()))->IsSentinel());
}

TEST(HtmlItemStream, ReferenceBytesGoIntoTheTextAndPositionsMoveOn) {
    auto doc = BuildPage("<p>x &amp;<a href=u>y</a> &lt;z&#65;");
    HtmlItemStream stream(*doc);
    Paragraph* p = stream.At(0)->paragraph;
    std::string text(p->Text(), p->Length());
    EXPECT_EQ("x &y <zA", text);
    std::string seen;  // the byte at each position: a reference's own byte, a link's first
    for (TextPosition* pos = p->Positions().First(); pos; pos = pos->NextPos())
        if (pos->Offset() < p->Length()) seen += text[pos->Offset()];
    EXPECT_EQ("&y <A", seen);

    // Many references in one paragraph are put in one pass.
    std::string many = "<p>";
    for (int i = 0; i < 20000; ++i) many += "&amp;x";
    auto big = BuildPage(many);
    Paragraph* q = FirstParagraph(&big->Root());
    uint32_t before = q->Length(), references = 0, misplaced = 0;
    HtmlItemStream bigStream(*big);
    for (TextPosition* pos = q->Positions().First(); pos; pos = pos->NextPos()) {
        if (pos->Kind() != kStrPosKind) continue;
        ++references;
        if (q->Text()[pos->Offset()] != '&') ++misplaced;
    }
    EXPECT_GT(references, 19000u);
    EXPECT_EQ(before + references, q->Length());
    EXPECT_EQ(0u, misplaced);
}

TEST(HtmlItemStream, ManyReferencesGiveWhatInsertingThemOneByOneGives) {
    std::string markup = "<p>";
    for (int i = 0; i < 12; ++i)
        markup +=
            "w" + std::to_string(i) + " &amp;<a href='l" + std::to_string(i) + "'>&lt;x</a>&#65;";
    auto merged = BuildPage(markup), stepwise = BuildPage(markup);

    Paragraph* q = FirstParagraph(&stepwise->Root());
    for (TextPosition* pos = q->Positions().First(); pos; pos = pos->NextPos()) {
        if (pos->Kind() != kStrPosKind) continue;
        int consumed = 0;
        const FixedText& source = static_cast<StrPos*>(pos)->Text();
        char c = static_cast<char>(DecodeCharRef(source.c_str(), source.Length(), &consumed));
        q->InsertAfterPosition(pos, &c, 1);
    }
    HtmlItemStream stream(*merged);
    Paragraph* p = stream.At(0)->paragraph;
    ASSERT_EQ(std::string(q->Text(), q->Length()), std::string(p->Text(), p->Length()));
    std::vector<uint32_t> expected, actual;
    for (TextPosition* pos = q->Positions().First(); pos; pos = pos->NextPos())
        expected.push_back(pos->Offset());
    for (TextPosition* pos = p->Positions().First(); pos; pos = pos->NextPos())
        actual.push_back(pos->Offset());
    EXPECT_EQ(expected, actual);
    EXPECT_GT(expected.size(), 40u);
}

TEST(PageCompare, IdenticalCopiesGiveLevelZero) {
    std::string page = Paragraphs(Numbered(12));
    PageResult r = ComparePages(page, page);
    EXPECT_EQ(0, r.level);
    EXPECT_TRUE(r.records.empty());
}

TEST(PageCompare, InsertedParagraphsAndTheTwentyPercentRule) {
    std::vector<std::string> ten = Numbered(10);
    std::vector<std::string> eleven = ten;
    eleven.insert(eleven.begin() + 5, "A brand new paragraph");
    PageResult one = ComparePages(Paragraphs(ten), Paragraphs(eleven));  // 1 of 11: 9%
    EXPECT_EQ(1, one.level);
    EXPECT_EQ(Recs({{"A brand new paragraph", ""}}), one.records);

    std::vector<std::string> eight = Numbered(8);
    std::vector<std::string> threeNew = eight;
    threeNew.insert(threeNew.begin() + 4, {"New one", "New two", "New three"});
    PageResult three = ComparePages(Paragraphs(eight), Paragraphs(threeNew));  // 3 of 11: 27%
    EXPECT_EQ(2, three.level);
    EXPECT_EQ(3u, three.records.size());

    std::vector<std::string> twoOfTen = eight;
    twoOfTen.insert(twoOfTen.begin() + 2, {"New one", "New two"});
    EXPECT_EQ(1, ComparePages(Paragraphs(eight), Paragraphs(twoOfTen)).level);  // exactly 20%

    PageResult removed = ComparePages(Paragraphs(eleven), Paragraphs(ten));
    EXPECT_EQ(1, removed.level);
    EXPECT_TRUE(removed.records.empty());
}

TEST(PageCompare, DigitsOnlyChangeCountsWithoutARecord) {
    std::vector<std::string> before = Numbered(6), after = Numbered(6);
    before.insert(before.begin() + 3, "12345");
    after.insert(after.begin() + 3, "12346 - 7");
    PageResult r = ComparePages(Paragraphs(before), Paragraphs(after));
    EXPECT_EQ(1, r.level);
    EXPECT_TRUE(r.records.empty());
}

TEST(PageCompare, CharacterReferenceAgainstItsLetterDiffers) {
    std::vector<std::string> before = Numbered(4), after = Numbered(4);
    before.push_back("&#65;");
    after.push_back("A");
    PageResult r = ComparePages(Paragraphs(before), Paragraphs(after));
    EXPECT_EQ(1, r.level);
    EXPECT_EQ(Recs({{"A", ""}}), r.records);

    // The same reference on both sides is equal; a new one is recorded with
    // its byte in the text.
    before.back() = "x &amp; y";
    after.back() = "x &amp; y";
    EXPECT_EQ(0, ComparePages(Paragraphs(before), Paragraphs(after)).level);
    after.push_back("Fish &amp; chips");
    EXPECT_EQ(Recs({{"Fish & chips", ""}}),
              ComparePages(Paragraphs(before), Paragraphs(after)).records);
}

TEST(PageCompare, ShortEqualParagraphsDoNotResynchronise) {
    std::vector<std::string> before{
        "Long opening paragraph", "Old first", "ab", "cd", "ef", "Old second",
        "Long closing paragraph"};
    std::vector<std::string> after{
        "Long opening paragraph", "New first", "ab", "cd", "ef", "New second",
        "Long closing paragraph"};
    PageResult r = ComparePages(Paragraphs(before), Paragraphs(after));
    EXPECT_EQ(Recs({{"New first", ""}, {"ab", ""}, {"cd", ""}, {"ef", ""}, {"New second", ""}}),
              r.records);

    // Ten bytes of equal text are enough.
    after[3] = before[3] = "cdefghij";
    r = ComparePages(Paragraphs(before), Paragraphs(after));
    EXPECT_EQ(Recs({{"New first", ""}, {"New second", ""}}), r.records);
}

TEST(PageCompare, TableRowsCompareAsOneLine) {
    auto table = [](const char* price) {
        return std::string("<p>Prices of the day<table><tr><td>Price</td><td>") + price +
               "</td></tr><tr><td>Tax</td><td>none</td></tr></table>";
    };
    PageResult joined = ComparePages(table("10"), table("12"), kModeText, true);
    EXPECT_EQ(1, joined.level);
    EXPECT_EQ(Recs({{"Price | 12", ""}}), joined.records);

    PageResult cells = ComparePages(table("10"), table("12"), kModeText, false);
    EXPECT_EQ(1, cells.level);
    EXPECT_TRUE(cells.records.empty());  // the cell "12" alone holds no letter
}

TEST(PageCompare, JoinTableRowsLeavesComplexRowsButJoinsTheirTables) {
    auto doc = BuildPage(
        "<table><tr><td>a</td><td></td><td>c</td></tr>"
        "<tr><td><p>x<p>y</td><td><table><tr><td>in1</td><td>in2</td></tr></table></td></tr>"
        "</table>");
    JoinTableRows(*doc);
    std::vector<std::string> texts;
    for (Paragraph* p = FirstParagraph(&doc->Root()); p; p = NextParagraph(p, &doc->Root()))
        texts.emplace_back(p->Text(), p->Length());
    EXPECT_EQ(std::vector<std::string>({"a | c", "", "x", "y", "in1 | in2", ""}), texts);
}

TEST(PageCompare, NewParagraphLinksAreResolvedWithTheirFragment) {
    std::string before = Paragraphs(Numbered(5));
    std::string after = before + "<p><a href='page.htm#top'>Go to the new page</a>" +
                        "<p><a href=\"javascript:open()\">Scripted link</a>" +
                        "<p><a href='http://other/x'>Opened here<p>continued</a>";
    PageResult r = ComparePages(before, after);
    EXPECT_EQ(Recs({{"Go to the new page", "http://host/dir/page.htm#top"},
                    {"Scripted link", ""},
                    {"Opened here", "http://other/x"},
                    {"continued", "http://other/x"}}),
              r.records);
}

TEST(PageCompare, LinkModeFindsChangedLinksOfEqualText) {
    std::string before = Paragraphs(Numbered(3)) + "<p>See <a href='old.htm'>the offer</a>";
    std::string after = Paragraphs(Numbered(3)) + "<p>See <a href='new.htm'>the offer</a>";
    PageResult links = ComparePages(before, after, kModeLinks);
    EXPECT_EQ(1, links.level);
    EXPECT_EQ(Recs({{"", "new.htm"}}), links.records);

    EXPECT_EQ(0, ComparePages(before, after, kModeText).level);
}

TEST(PageCompare, CopiesInKoi8AreReadInTheWorkingCodePage) {
    std::string text = W("Привет");
    std::string koi(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        // The KOI8 byte whose conversion gives the 1251 letter.
        for (int b = 128; b < 256; ++b)
            if (KoiToWin(static_cast<unsigned char>(b)) == static_cast<unsigned char>(text[i]))
                koi[i] = static_cast<char>(b);
    }
    PageResult r = ComparePages("<p>Old text", "<p>" + koi, kModeText, false, kCharsetKoi8);
    EXPECT_EQ(Recs({{text, ""}}), r.records);
}

TEST(PageCompare, UnreadableCopyFails) {
    TempDir dir;
    std::string page = dir.Write("OV000000.HTM", "<p>text");
    ListOf<ChangeNode> results;
    const std::string missing = dir.File("missing.htm");
    PageComparison what;
    what.oldCopy = {missing.c_str(), "", 1};
    what.newCopy = {page.c_str(), "", 1};
    EXPECT_EQ(-1, ComparePageCopies(what, &results));
    std::swap(what.oldCopy, what.newCopy);
    EXPECT_EQ(-1, ComparePageCopies(what, &results));
    EXPECT_TRUE(results.IsEmpty());
}

// The two copies are prepared side by side; running out of memory on either
// reaches the caller as it would from one thread, after the other copy is
// done with, and nothing is recorded.
TEST(PageCompare, RunningOutOfMemoryOnEitherCopyReachesTheCaller) {
    TempDir dir;
    std::string large(2u << 20, 'x');
    large.insert(0, "<p>");
    std::string big = dir.Write("OV000001.HTM", large);
    std::string small = dir.Write("OV000002.HTM", "<p>a small page");
    for (bool bigIsOld : {true, false}) {
        PageComparison what;
        what.oldCopy = {bigIsOld ? big.c_str() : small.c_str(), "", 1};
        what.newCopy = {bigIsOld ? small.c_str() : big.c_str(), "", 1};
        ListOf<ChangeNode> results;
        LargeAllocationsFail limit(1u << 20);
        EXPECT_THROW(ComparePageCopies(what, &results), std::bad_alloc) << bigIsOld;
        EXPECT_TRUE(results.IsEmpty());
    }
}
