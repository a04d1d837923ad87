#include <gtest/gtest.h>

#include <string>

#include "DocumentDump.h"
#include "html/ParaText.h"

namespace {

std::string Show(const ParaText& p) {
    return std::string(p.Text(), p.Length()) + DumpPositions(p);
}

}  // namespace

TEST(ParaTextOps, InsertAfterPositionMovesOnlyLaterPositions) {
    ParaText p;
    p.AppendText("x  y", 4);
    p.Positions().Append(new StrPos(2, "&lt;", 4));
    p.Positions().Append(new StrPos(2, "&gt;", 4));
    p.AppendPosition(new SpecPos(0));
    // Materialising both references in order keeps their order in the text.
    TextPosition* first = p.Positions().First();
    p.InsertAfterPosition(first, "<", 1);
    p.InsertAfterPosition(first->NextPos(), ">", 1);
    EXPECT_EQ(Show(p), "x <> y{2:&lt; 3:&gt; 6:$}");
}

TEST(ParaTextOps, TrimStopsAtTheLastPosition) {
    ParaText p;
    p.AppendText("a  ", 3);
    p.TrimTrailingSpaces();
    EXPECT_EQ(Show(p), "a");
    ParaText q;
    q.AppendText("a ", 2);
    q.AppendPosition(new StrPos(0, "&amp;", 5));
    q.AppendText("  ", 2);
    q.TrimTrailingSpaces();
    EXPECT_EQ(Show(q), "a {2:&amp;}");
}

TEST(ParaTextOps, AbsorbJoinsTextsAndPositions) {
    ParaText a, b;
    a.AppendText("Price", 5);
    b.AppendPosition(new StrPos(0, "&nbsp;", 6));
    b.AppendText("10", 2);
    b.AppendPosition(new SpecPos(0));
    a.Absorb(b, " | ");
    EXPECT_EQ(Show(a), "Price | 10{8:&nbsp; 10:$}");
    EXPECT_EQ(0u, b.Length());
    EXPECT_TRUE(b.Positions().IsEmpty());
}

TEST(ParaTextOps, ClearTextAndFirstPosition) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "a <a href=x>b</a> &amp;"));
    Paragraph* p = FirstParagraph(&doc.Root());
    ASSERT_NE(nullptr, p);
    ASSERT_NE(nullptr, p->FirstPosition(kHRefKind));
    EXPECT_EQ(2u, p->FirstPosition(kHRefKind)->Offset());
    EXPECT_EQ(nullptr, p->FirstPosition(kBookmarkKind));
    p->ClearText();
    EXPECT_EQ(Show(*p), "{0:<a:x> 0:</a> 0:&amp; 0:$}");
}
