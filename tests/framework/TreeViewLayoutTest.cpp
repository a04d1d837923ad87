// Rows, word-wrapped heights, hit testing, scrolling and the insertion mark
// of the tree view's portable model.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Cp1251.h"
#include "framework/RowHeights.h"
#include "framework/TreeViewModel.h"
#include "framework/TreeTestMeasurer.h"

namespace {

struct Tree3 : ::testing::Test {
    // root: A (a1, a2, a3), B, C (c1)
    Tree3() {
        model.SetClientSize(300, 100);
        a = Add(root, "A");
        a1 = Add(a, "a1");
        a2 = Add(a, "a2");
        a3 = Add(a, "a3");
        b = Add(root, "B");
        c = Add(root, "C");
        c1 = Add(c, "c1");
    }
    TreeViewNode* Add(TreeViewNode* parent, const char* text) {
        auto* n = new TreeViewNode(text);
        model.Insert(parent, n);
        return n;
    }
    std::vector<TreeViewNode*> Rows() {
        std::vector<TreeViewNode*> out;
        for (size_t i = 0; i < model.RowCount(); ++i) out.push_back(model.RowNode(i));
        return out;
    }
    FixedMeasurer measurer;
    EventLog events;
    TreeViewNode rootNode{"root"};
    TreeViewNode* root = &rootNode;
    TreeViewModel model{root, &measurer, &events};
    TreeViewNode *a, *a1, *a2, *a3, *b, *c, *c1;
};

}  // namespace

TEST(RowHeights, TopsAndRowsMatchASimpleSum) {
    RowHeights h;
    std::vector<int> heights = {18, 32, 18, 46, 18, 18, 60, 18, 18, 18, 18};
    h.Assign(heights);
    h.SetHeight(4, 100);
    heights[4] = 100;
    int top = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        EXPECT_EQ(top, h.Top(i)) << i;
        EXPECT_EQ(i, h.RowAt(top)) << i;
        EXPECT_EQ(i, h.RowAt(top + heights[i] - 1)) << i;
        top += heights[i];
    }
    EXPECT_EQ(top, h.Total());
    EXPECT_EQ(heights.size(), h.RowAt(top));
    RowHeights empty;
    empty.Reset(0, 18);
    EXPECT_EQ(0u, empty.RowAt(0));
}

TEST_F(Tree3, CollapsedChildrenHaveNoRows) {
    EXPECT_EQ((std::vector<TreeViewNode*>{a, b, c}), Rows());
    model.Expand(a, true);
    EXPECT_EQ((std::vector<TreeViewNode*>{a, a1, a2, a3, b, c}), Rows());
    EXPECT_EQ(-1, model.RowOf(c1));
    model.SetShowRoot(true);
    EXPECT_EQ(1u, model.RowCount()) << "a shown root starts collapsed";
    model.Expand(root, true);
    EXPECT_EQ(7u, model.RowCount());
    EXPECT_EQ(1, model.RowView(1).depth);
    EXPECT_EQ(2, model.RowView(2).depth);
}

TEST_F(Tree3, InsertionBeforeASiblingAndOddSiblings) {
    model.Expand(a, true);
    auto* x = new TreeViewNode("x");
    model.Insert(a, x, a2);
    EXPECT_EQ((std::vector<TreeViewNode*>{a, a1, x, a2, a3, b, c}), Rows());
    EXPECT_EQ(0, model.RowView(1).oddSibling);
    EXPECT_EQ(1, model.RowView(2).oddSibling);
    EXPECT_EQ(0, model.RowView(3).oddSibling);
    EXPECT_EQ(1, model.RowView(4).oddSibling);
    EXPECT_EQ(1, model.RowView(5).oddSibling) << "B is the second top-level node";
}

TEST_F(Tree3, GeometryOfARow) {
    model.SetImages(true, true);
    model.Expand(a, true);
    TreeRowView v = model.RowView(1);  // a1, depth 1
    EXPECT_EQ(18, v.top);
    EXPECT_EQ(18, v.height);
    EXPECT_EQ(2 + 19, v.buttonLeft);
    EXPECT_EQ(v.buttonLeft + 19, v.stateLeft);
    EXPECT_EQ(v.stateLeft + 16, v.imageLeft);
    EXPECT_EQ(v.imageLeft + 18, v.label.left);
    EXPECT_EQ(v.label.left + 2 * 6 + 4, v.label.right);
}

TEST_F(Tree3, HitTestFlags) {
    model.SetImages(true, false);
    model.Expand(a, true);
    TreeRowView v = model.RowView(1);
    TreeHitResult h = model.HitTest(v.label.left + 1, v.top + 2);
    EXPECT_EQ(a1, h.node);
    EXPECT_EQ(kHitOnLabel | kHitUpperHalf, h.flags);
    h = model.HitTest(v.label.left + 1, v.top + v.height - 2);
    EXPECT_EQ(kHitOnLabel | kHitLowerHalf, h.flags);
    EXPECT_EQ(kHitOnIcon | kHitUpperHalf, model.HitTest(v.imageLeft + 3, v.top).flags);
    EXPECT_EQ(kHitOnButton | kHitUpperHalf, model.HitTest(v.buttonLeft + 3, v.top).flags);
    EXPECT_EQ(kHitOnIndent | kHitUpperHalf, model.HitTest(v.buttonLeft - 3, v.top).flags);
    EXPECT_EQ(kHitOnRight | kHitUpperHalf, model.HitTest(v.label.right + 1, v.top).flags);
    h = model.HitTest(10, model.ContentHeight() + 1 - model.ScrollY());
    EXPECT_EQ(nullptr, h.node);
    EXPECT_EQ(static_cast<unsigned>(kHitNowhere), h.flags);
}

TEST_F(Tree3, WrappedLabelsTakeSeveralLinesAndFollowTheWidth) {
    model.SetImages(true, false);
    model.SetWrap(true);
    // label left at depth 0: 2 + 19 + 18 = 39; width 150 leaves 150-39-4 = 107 px = 17 chars.
    model.SetClientSize(150, 100);
    model.SetText(b, "one two three four five six");
    long row = model.RowOf(b);
    ASSERT_EQ(1, row);
    EXPECT_EQ(2, model.RowHeight(1) / 14);
    EXPECT_EQ(std::vector<uint32_t>({0, 14}), model.LineStarts(b));
    EXPECT_EQ(18 + 2 * 14 + 2, model.RowTop(2));
    model.SetClientSize(600, 100);
    EXPECT_EQ(18, model.RowHeight(1));
    // Never narrower than ten average characters.
    model.SetClientSize(10, 100);
    EXPECT_EQ(3 * 14 + 2, model.RowHeight(1));
}

// A label of several lines (a message: sender, subject, date) is painted
// inside its own row: no line reaches into the rows around it.
TEST_F(Tree3, EveryLineOfALabelLiesInsideItsRow) {
    model.SetImages(true, false);
    model.SetWrap(true);
    model.SetClientSize(600, 400);
    model.SetText(a1, "Bob <bob@example.org>\nInvoice 42\n12/6/2026,  11:00:00 AM");
    model.SetText(b, "one line");
    model.Expand(root, true);
    model.Expand(a, true);
    ASSERT_GE(model.RowOf(a1), 0);
    for (size_t r = 0; r < model.RowCount(); ++r) {
        TreeRowView row = model.RowView(r);
        const size_t lines = model.LineStarts(row.node).size();
        ASSERT_GE(lines, 1u);
        EXPECT_EQ(row.node == a1 ? 3u : 1u, lines) << row.node->Text().c_str();
        for (size_t i = 0; i < lines; ++i) {
            EXPECT_GE(model.LineTop(row, i), row.top) << row.node->Text().c_str() << " line " << i;
            EXPECT_LE(model.LineTop(row, i) + measurer.LineHeight(), row.top + row.height)
                << row.node->Text().c_str() << " line " << i;
        }
        if (lines == 1) {
            EXPECT_EQ(row.top + 2, model.LineTop(row, 0)) << "centred in an icon's row";
        }
    }
}

TEST_F(Tree3, OnlyRowsOnScreenAreMeasured) {
    for (int i = 0; i < 1000; ++i) Add(root, "row text");
    model.SetClientSize(300, 90);  // five rows
    measurer.calls = 0;
    int shown = 0;
    model.ForEachVisibleRow([&](const TreeRowView& v) { ++shown; });
    EXPECT_EQ(5, shown);
    EXPECT_LE(measurer.calls, 5);
    model.ScrollTo(0, 18 * 500);
    model.ForEachVisibleRow([&](const TreeRowView& v) {});
    EXPECT_LE(measurer.calls, 10);
    measurer.calls = 0;
    model.ForEachVisibleRow([&](const TreeRowView& v) {});
    EXPECT_EQ(0, measurer.calls) << "measured rows are remembered";
}

TEST_F(Tree3, ScrollingClampsAndWheelNotchesAddUp) {
    for (int i = 0; i < 20; ++i) Add(root, "n");
    // 23 rows of 18 = 414, client 100.
    EXPECT_EQ(314, model.MaxScrollY());
    EXPECT_TRUE(model.ScrollTo(0, 1000));
    EXPECT_EQ(314, model.ScrollY());
    EXPECT_FALSE(model.ScrollLines(1));
    EXPECT_TRUE(model.ScrollPages(-1));
    EXPECT_EQ(314 - (100 - 18), model.ScrollY());
    model.ScrollTo(0, 0);
    events.scrolled = 0;
    EXPECT_FALSE(model.Wheel(-60));
    EXPECT_TRUE(model.Wheel(-60));
    EXPECT_EQ(3 * 18, model.ScrollY());
    EXPECT_EQ(1, events.scrolled);
    EXPECT_TRUE(model.Wheel(240));
    EXPECT_EQ(0, model.ScrollY());
}

TEST_F(Tree3, EnsureVisibleExpandsAncestorsAndScrolls) {
    for (int i = 0; i < 20; ++i) Add(root, "n");
    TreeViewNode* deep = Add(c1, "deep");
    EXPECT_TRUE(model.EnsureVisible(deep));
    EXPECT_TRUE(c->IsExpanded());
    EXPECT_TRUE(c1->IsExpanded());
    EXPECT_EQ(2u, events.expanded.size());
    TreeRect r;
    ASSERT_TRUE(model.NodeRect(deep, false, &r));
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, 100);
    TreeViewNode* last = static_cast<TreeViewNode*>(root->Last());
    model.EnsureVisible(last);
    ASSERT_TRUE(model.NodeRect(last, false, &r));
    EXPECT_EQ(100, r.bottom) << "scrolled just far enough";
    EXPECT_FALSE(model.EnsureVisible(last));
    TreeViewNode* middle = static_cast<TreeViewNode*>(root->At(12));
    EXPECT_TRUE(model.ScrollNodeTo(middle, 30));
    ASSERT_TRUE(model.NodeRect(middle, false, &r));
    EXPECT_EQ(30, r.top);
}

TEST_F(Tree3, InsertMarkFollowsItsNode) {
    model.SetInsertMark(b, false);
    EXPECT_EQ(18, model.InsertMarkY());
    model.SetInsertMark(b, true);
    EXPECT_EQ(36, model.InsertMarkY());
    model.Remove(b);
    EXPECT_EQ(nullptr, model.InsertMarkNode());
    EXPECT_EQ(-1, model.InsertMarkY());
}

TEST_F(Tree3, DestroyedNodesLeaveTheModelConsistent) {
    model.Expand(a, true);
    model.Click(a2, false, false);
    model.Click(a3, true, false);
    EXPECT_EQ(2u, model.SelectedCount());
    delete a;  // destroyed by its owner, not through the model
    EXPECT_EQ(0u, model.SelectedCount());
    EXPECT_EQ(b, model.Caret()) << "the caret goes to the next sibling";
    EXPECT_EQ((std::vector<TreeViewNode*>{b, c}), Rows());
    model.Remove(c);
    model.Click(b, false, false);
    model.Remove(b);
    EXPECT_EQ(root, model.Caret()) << "the last one gone: the caret is on the root";
    EXPECT_EQ(0u, model.RowCount());
    auto* again = Add(root, "new");
    EXPECT_EQ(1u, model.RowCount());
    model.RemoveAll();
    EXPECT_EQ(0u, model.RowCount());
    (void)again;
}

TEST_F(Tree3, MovingANodeWithinTheView) {
    model.Click(b, false, false);
    model.Insert(c, b);
    EXPECT_EQ((std::vector<TreeViewNode*>{a, c}), Rows());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_EQ(1u, model.SelectedCount());
    model.Insert(a1, a);  // into its own subtree: refused
    EXPECT_EQ(root, a->ParentNode());
}

TEST(TextWrap, BreaksAtBlanksHardBreaksAndInsideLongWords) {
    FixedMeasurer m;
    std::string text = "alpha beta gamma";
    WrappedText w = WrapText(m, 0, text.data(), text.size(), 6 * 11);
    ASSERT_EQ(2u, w.starts.size());
    EXPECT_EQ("alpha beta", text.substr(w.starts[0], w.ends[0] - w.starts[0]));
    EXPECT_EQ("gamma", text.substr(w.starts[1], w.ends[1] - w.starts[1]));
    EXPECT_EQ(60, w.width);

    text = "one\r\ntwo";
    w = WrapText(m, 0, text.data(), text.size(), 600);
    ASSERT_EQ(2u, w.starts.size());
    EXPECT_EQ("one", text.substr(w.starts[0], w.ends[0] - w.starts[0]));
    EXPECT_EQ("two", text.substr(w.starts[1], w.ends[1] - w.starts[1]));

    text = "abcdefghij";
    w = WrapText(m, 0, text.data(), text.size(), 6 * 4);
    ASSERT_EQ(3u, w.starts.size());
    EXPECT_EQ(8u, w.starts[2]);

    // UTF-8: never inside a sequence (each Cyrillic letter two bytes).
    text = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
    w = WrapText(m, 0, text.data(), text.size(), 6 * 3);
    for (uint32_t s : w.starts) EXPECT_EQ(0u, s % 2);

    w = WrapText(m, 0, "", 0, 100);
    EXPECT_EQ(1u, w.starts.size());
    EXPECT_EQ(0, w.width);
}

TEST(DisplayUtf16, Utf8Cp1251AndCutTexts) {
    EXPECT_EQ(u"plain", cp1251::DisplayUtf16("plain", 5));
    // UTF-8 with a four-byte sequence becomes a surrogate pair.
    EXPECT_EQ(u"\u041F\U0001F600", cp1251::DisplayUtf16("\xD0\x9F\xF0\x9F\x98\x80", 6));
    // The same Cyrillic letter in 1251, and German umlauts in 1252-like bytes.
    EXPECT_EQ(u"\u041F\u0440", cp1251::DisplayUtf16("\xCF\xF0", 2));
    EXPECT_EQ(u"\u2026", cp1251::DisplayUtf16("\x85", 1));
    // A UTF-8 text cut inside a sequence, with the ellipsis byte.
    EXPECT_EQ(u"\u041F\u2026", cp1251::DisplayUtf16("\xD0\x9F\xE2\x85", 4));
    EXPECT_EQ(u"\u041F\u0440\u2026", cp1251::DisplayUtf16("\xD0\x9F\xD1\x80\x85", 5));
    // A 1251 text ending in the ellipsis stays 1251.
    EXPECT_EQ(u"\u0414\u0430\u2026", cp1251::DisplayUtf16("\xC4\xE0\x85", 3));
}
