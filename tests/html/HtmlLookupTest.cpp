#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentDump.h"

namespace {

std::vector<std::string> Texts(const HtmlDocument& doc) {
    std::vector<std::string> out;
    for (Paragraph* p = FirstParagraph(&doc.Root()); p; p = NextParagraph(p, &doc.Root()))
        out.emplace_back(p->Text(), p->Length());
    return out;
}

Paragraph* ParagraphWith(const HtmlDocument& doc, const std::string& text) {
    for (Paragraph* p = FirstParagraph(&doc.Root()); p; p = NextParagraph(p, &doc.Root()))
        if (text == p->Text()) return p;
    return nullptr;
}

}  // namespace

TEST(DocumentLookup, ParagraphsInDocumentOrder) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<h1>A</h1><table><tr><td>B<p>C</td><td>D</table><ul><li>E</ul>F"));
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"A", "B", "C", "D", "E", "F"}));
    Paragraph* c = ParagraphWith(doc, "C");
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(ParagraphWith(doc, "B"), PrevParagraph(c, &doc.Root()));
    EXPECT_EQ(nullptr, PrevParagraph(FirstParagraph(&doc.Root()), &doc.Root()));
}

// The builder's record must be what a walk of the tree finds, however the
// markup is nested or misnested.
TEST(DocumentLookup, BuilderRecordsParagraphsAndOuterTablesInDocumentOrder) {
    const char* pages[] = {
        "<h1>A</h1><table><tr><td>B<p>C</td><td>D</table><ul><li>E</ul>F",
        "<table><tr><td><table><tr><td>x</table>y</td></tr></table><div><table>z</table></div>",
        "<div><table><tr><td>a</div>b</td></tr><tr><td><table>c</table></table><p>d",
        "<table><tr><td>a<table><tr><td>b</td></tr></table></td></tr><table>c</table>e",
        "<form><table><tr><td>a</form>b</table>c<table>",
        "<p>a<pre>b\nc</pre><table><caption>t</caption><tr><th>h</table>",
    };
    for (const char* page : pages) {
        HtmlDocument doc;
        ASSERT_EQ(0, Build(doc, page));
        std::vector<Paragraph*> walked;
        for (Paragraph* p = FirstParagraph(&doc.Root()); p; p = NextParagraph(p, &doc.Root()))
            walked.push_back(p);
        EXPECT_EQ(walked, doc.Paragraphs()) << page;
        std::vector<Table*> outer;
        for (Table* t = FirstNodeOf<Table>(&doc.Root()); t; t = NextNodeOf<Table>(t, &doc.Root()))
            outer.push_back(t);
        EXPECT_EQ(outer, doc.OuterTables()) << page;
        EXPECT_FALSE(outer.empty()) << page;
    }
}

TEST(DocumentLookup, FirstAndLastNodeOfAClass) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<table><tr><td>a</td><td>b<p>c</td></tr><tr><td>d</table>"));
    Table* table = FirstNodeOf<Table>(&doc.Root());
    ASSERT_NE(nullptr, table);
    Row* firstRow = FirstNodeOf<Row>(table);
    Row* lastRow = LastNodeOf<Row>(table);
    ASSERT_NE(firstRow, lastRow);
    Cell* secondCell = LastNodeOf<Cell>(firstRow);
    EXPECT_EQ(std::string("b"), FirstParagraph(secondCell)->Text());
    EXPECT_EQ(std::string("c"), LastNodeOf<Paragraph>(secondCell)->Text());
    EXPECT_EQ(nullptr, FirstNodeOf<Form>(&doc.Root()));
    // The search does not descend into a node it has found.
    EXPECT_EQ(nullptr, NextNodeOf<Table>(table, &doc.Root()));
    EXPECT_EQ(table, LastNodeOf<Table>(&doc.Root()));
}

TEST(DocumentLookup, LinkOpenAtParagraphStart) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<p>intro<a href='x.htm'>one<p>two<p>three</a>four<p>five"));
    const HtmlNode* root = &doc.Root();
    Paragraph* one = ParagraphWith(doc, "introone");
    Paragraph* two = ParagraphWith(doc, "two");
    Paragraph* four = ParagraphWith(doc, "threefour");
    Paragraph* five = ParagraphWith(doc, "five");
    ASSERT_TRUE(one && two && four && five);
    EXPECT_EQ(nullptr, LinkOpenAtStart(one, root));
    HtmlHRef* opening = FirstOpeningLink(*one);
    ASSERT_NE(nullptr, opening);
    EXPECT_STREQ("x.htm", opening->Href());
    EXPECT_TRUE(opening->IsValid());
    EXPECT_EQ(5u, opening->Offset());
    EXPECT_EQ(opening, LinkOpenAtStart(two, root));
    EXPECT_EQ(opening, LinkOpenAtStart(four, root));
    EXPECT_EQ(nullptr, FirstOpeningLink(*four));
    EXPECT_EQ(nullptr, LinkOpenAtStart(five, root));  // closed in "threefour"
    ASSERT_NE(nullptr, opening->Partner());
    EXPECT_EQ(opening, opening->Partner()->Partner());
    EXPECT_EQ(5u, opening->Partner()->Offset());
}

TEST(DocumentLookup, LinkCopiesTheTagAttributes) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<a href=\"a.htm#top\" target=_blank title='T'>x</a>"));
    HtmlHRef* link = FirstOpeningLink(*FirstParagraph(&doc.Root()));
    ASSERT_NE(nullptr, link);
    EXPECT_EQ(3u, link->Attrs().Count());
    EXPECT_STREQ("a.htm#top", link->Href());
    EXPECT_EQ('"', FindAttr(link->Attrs(), kAttrHref)->quote);
}
