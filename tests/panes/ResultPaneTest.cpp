// The result pane's refill: check and change nodes, the change-text limit,
// the news tape and the position kept across a refill.
#include <gtest/gtest.h>

#include "PaneFixture.h"
#include "panes/NewsTape.h"
#include "panes/ResultPane.h"

namespace {

struct ResultPaneTest : ::testing::Test {
    ResultPaneTest() : model(&root, &measurer), pane(model, root, texts) {
        model.SetClientSize(400, 18 * 10);
        tape = AddObject(&list, "Tape", "");
        tape->properties.flags |= kFlagNewsTape;
        a = AddObject(tape, "Alpha", "http://a.example/");
        b = AddObject(tape, "", "http://b.example/");
        b->title = "Bravo title";
    }
    ~ResultPaneTest() override { pane.Clear(); }
    std::vector<std::string> Texts() {
        std::vector<std::string> out;
        for (TreeViewNode* n = root.NextBelow(&root); n; n = n->NextBelow(&root))
            out.push_back(n->Text().c_str());
        return out;
    }
    FixedMeasurer measurer;
    FakeTexts texts;
    ItemList list;
    TreeViewRoot root;
    TreeViewModel model;
    ResultPane pane;
    ItemNode *tape, *a, *b;
};

}  // namespace

TEST(ChangeNodeText, LimitEllipsisLinksAndEmptyChanges) {
    AStr text;
    int image = 0;
    EXPECT_FALSE(ChangeNodeText(ChangeNode("", ""), 10, &text, &image));
    ASSERT_TRUE(ChangeNodeText(ChangeNode("", "http://x.example/"), 10, &text, &image));
    EXPECT_EQ("url=\"http://x.example/\"", text);
    EXPECT_EQ(3, image);
    ASSERT_TRUE(ChangeNodeText(ChangeNode("0123456789", ""), 10, &text, &image));
    EXPECT_EQ("0123456789", text) << "exactly the limit: whole";
    EXPECT_EQ(2, image);
    ASSERT_TRUE(
        ChangeNodeText(ChangeNode("0123456789A", "mailto:joe@x.example"), 10, &text, &image));
    EXPECT_EQ("0123456789\x85", text);
    EXPECT_EQ(4, image);
    ASSERT_TRUE(ChangeNodeText(ChangeNode("0123456789A", "http://y/"), 0, &text, &image));
    EXPECT_EQ("0123456789A", text) << "no limit";
    EXPECT_EQ(3, image);
    ASSERT_TRUE(ChangeNodeText(ChangeNode("text", "MAILTO:joe@x"), 0, &text, &image));
    EXPECT_EQ(3, image) << "the mail prefix is compared exactly";
}

TEST_F(ResultPaneTest, ChecksAndChangesOfAnObject) {
    CheckNode* older = AddCheck(a, 1000, 2);
    CheckNode* newer = AddCheck(a, 2000, 1);
    newer->result = 2;
    older->result = 3;
    older->expanded = true;
    newer->changes.Append(new ChangeNode("", ""));  // shows nothing
    newer->changes.Append(new ChangeNode("", "http://only.link/"));
    pane.Refill(a, 0, false);
    EXPECT_EQ((std::vector<std::string>{"D2000     T32002", "change 0 at 2000",
                                        "url=\"http://only.link/\"", "D1000     T32003",
                                        "change 0 at 1000", "change 1 at 1000"}),
              Texts());
    EXPECT_EQ(4u, model.RowCount()) << "only the expanded check shows its changes";
    auto* checkNode = static_cast<CheckTVN*>(newer->treeNode);
    ASSERT_NE(nullptr, checkNode);
    EXPECT_EQ(a->properties.color, checkNode->Color());
    EXPECT_EQ(1, checkNode->Image());
    auto* linkNode = static_cast<ChangeTVN*>(newer->changes.Last()->treeNode);
    EXPECT_TRUE(linkNode->HasLink());
    EXPECT_EQ(3, linkNode->Image());
    EXPECT_EQ(nullptr, newer->changes.First()->NextChange()->treeNode);
    model.Expand(checkNode, true);
    pane.ExpandChanged(checkNode);
    EXPECT_TRUE(newer->expanded);
    pane.Clear();
    EXPECT_EQ(nullptr, newer->treeNode) << "nodes gone, references forgotten";
    EXPECT_EQ(nullptr, pane.Current());
}

TEST_F(ResultPaneTest, NewsTapeMergesDeduplicatesAndDropsOrphans) {
    AddCheck(a, 1000, 1);
    AddCheck(b, 3000, 1);
    CheckNode* a2 = AddCheck(a, 2000, 2);
    pane.Refill(tape, 0, false);
    ASSERT_EQ(3u, tape->checks.Count());
    EXPECT_EQ((std::vector<std::string>{"D3000   Bravo title", "D2000   Alpha", "D1000   Alpha"}),
              std::vector<std::string>({root.FirstChildNode()->Text().c_str(),
                                        root.FirstChildNode()->NextNode()->Text().c_str(),
                                        root.LastChildNode()->Text().c_str()}));
    EXPECT_EQ(b, tape->checks.First()->origin);
    // The copy shows its source's changes.
    auto* copyNode = static_cast<CheckTVN*>(tape->checks.At(1)->treeNode);
    EXPECT_EQ(2u, copyNode->Count());
    // Refilling again adds nothing twice; a new check slots in by time.
    AddCheck(b, 2500, 1);
    pane.Refill(tape, 0, false);
    ASSERT_EQ(4u, tape->checks.Count());
    EXPECT_EQ(2500u, tape->checks.At(1)->time);
    // A source gone takes its copy along.
    pane.ForgetCheck(*a2);
    delete a2;
    pane.Refill(tape, 0, false);
    EXPECT_EQ(3u, tape->checks.Count());
    EXPECT_EQ(3u, model.RowCount());
    // Expanding a copy expands its source.
    auto* first = static_cast<CheckTVN*>(tape->checks.First()->treeNode);
    model.Expand(first, true);
    pane.ExpandChanged(first);
    EXPECT_TRUE(b->checks.First()->expanded);
    // Showing another object empties the folder's gathered list.
    pane.Refill(a, 0, false);
    EXPECT_EQ(0u, tape->checks.Count());
}

TEST_F(ResultPaneTest, ReShowingKeepsTheSelectedChangeAtItsHeight) {
    for (uint32_t t = 1; t <= 6; ++t) AddCheck(a, t * 100, 3)->expanded = true;
    pane.Refill(a, 0, false);
    // Select a change in the middle and scroll it to 40 pixels from the top.
    ChangeNode* picked = a->checks.At(3)->changes.At(1);
    auto* node = static_cast<TreeViewNode*>(picked->treeNode);
    model.Click(node, false, false);
    model.ScrollNodeTo(node, 40);
    // A new check arrives at the top; the pane is refilled.
    AddCheck(a, 900, 3)->expanded = true;
    pane.Refill(a, 0, true);
    node = static_cast<TreeViewNode*>(picked->treeNode);
    ASSERT_NE(nullptr, node);
    EXPECT_TRUE(node->IsSelected());
    EXPECT_EQ(node, model.Caret());
    TreeRect r;
    ASSERT_TRUE(model.NodeRect(node, false, &r));
    EXPECT_EQ(40, r.top);
    // Used once: another refill without focus keeps the top node instead.
    int topBefore = model.ScrollY();
    pane.Refill(a, 0, false);
    EXPECT_EQ(topBefore, model.ScrollY());
    // Another object: nothing is restored.
    AddCheck(b, 50, 1);
    pane.Refill(b, 0, true);
    EXPECT_EQ(0, model.ScrollY());
    EXPECT_EQ(0u, model.SelectedCount());
}
