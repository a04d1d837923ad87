// Caret, multiple selection and keyboard navigation of the tree view model.
#include <gtest/gtest.h>

#include "framework/TreeTestMeasurer.h"
#include "framework/TreeViewModel.h"

namespace {

struct Flat : ::testing::Test {
    // root: n0 .. n9, n2 has children k0, k1 (collapsed)
    Flat() {
        model.SetClientSize(300, 18 * 4);  // four rows
        for (int i = 0; i < 10; ++i) {
            n[i] = new TreeViewNode("node");
            model.Insert(&root, n[i]);
        }
        k0 = new TreeViewNode("k0");
        k1 = new TreeViewNode("k1");
        model.Insert(n[2], k0);
        model.Insert(n[2], k1);
    }
    std::vector<TreeViewNode*> Sel() { return model.Selected(); }
    FixedMeasurer measurer;
    EventLog events;
    TreeViewNode root;
    TreeViewModel model{&root, &measurer, &events};
    TreeViewNode* n[10];
    TreeViewNode *k0, *k1;
};

}  // namespace

TEST_F(Flat, ClickCtrlClickAndShiftRanges) {
    model.Click(n[1], false, false);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[1]}, Sel());
    model.Click(n[4], false, true);
    EXPECT_EQ((std::vector<TreeViewNode*>{n[1], n[2], n[3], n[4]}), Sel());
    model.Click(n[0], false, true);  // the anchor stays at n1
    EXPECT_EQ((std::vector<TreeViewNode*>{n[0], n[1]}), Sel());
    model.Click(n[6], true, false);
    EXPECT_EQ((std::vector<TreeViewNode*>{n[0], n[1], n[6]}), Sel());
    model.Click(n[8], true, true);  // Ctrl+Shift adds the range from the new anchor
    EXPECT_EQ((std::vector<TreeViewNode*>{n[0], n[1], n[6], n[7], n[8]}), Sel());
    model.Click(n[1], true, false);
    EXPECT_EQ((std::vector<TreeViewNode*>{n[0], n[6], n[7], n[8]}), Sel());
    EXPECT_EQ(n[1], model.Caret());
    model.Click(n[5], false, false);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[5]}, Sel());
    int before = events.selection;
    model.Click(n[5], false, false);
    EXPECT_EQ(before, events.selection) << "nothing changed, nothing told";
}

TEST_F(Flat, SingleSelectionIgnoresModifiers) {
    model.SetMultiSelect(false);
    model.Click(n[1], false, false);
    model.Click(n[3], true, true);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[3]}, Sel());
    model.Key(TreeKey::SelectAll, true, false);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[3]}, Sel());
}

TEST_F(Flat, ArrowsHomeEndAndShiftExtend) {
    model.Key(TreeKey::Down, false, false);
    EXPECT_EQ(n[0], model.Caret()) << "without a caret the first row";
    model.Key(TreeKey::Down, false, false);
    model.Key(TreeKey::Down, false, true);
    model.Key(TreeKey::Down, false, true);
    EXPECT_EQ((std::vector<TreeViewNode*>{n[1], n[2], n[3]}), Sel());
    model.Key(TreeKey::Up, true, false);  // Ctrl: caret only
    EXPECT_EQ(n[2], model.Caret());
    EXPECT_EQ(3u, model.SelectedCount());
    model.Key(TreeKey::Space, true, false);  // Ctrl+Space toggles the caret
    EXPECT_EQ((std::vector<TreeViewNode*>{n[1], n[3]}), Sel());
    model.Key(TreeKey::End, false, false);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[9]}, Sel());
    TreeRect r;
    ASSERT_TRUE(model.NodeRect(n[9], false, &r));
    EXPECT_EQ(model.ClientHeight(), r.bottom) << "the caret is scrolled into view";
    model.Key(TreeKey::Home, false, true);
    EXPECT_EQ(10u, model.SelectedCount());
    model.Key(TreeKey::Down, false, false);
    model.Key(TreeKey::Down, false, false);
    EXPECT_EQ(n[2], model.Caret());
    model.Key(TreeKey::SelectAll, true, false);
    EXPECT_EQ(10u, model.SelectedCount()) << "hidden children stay unselected";
}

TEST_F(Flat, LeftAndRightCollapseExpandAndWalk) {
    model.Click(n[2], false, false);
    model.Key(TreeKey::Right, false, false);
    EXPECT_TRUE(n[2]->IsExpanded());
    ASSERT_EQ(1u, events.expanded.size());
    model.Key(TreeKey::Right, false, false);
    EXPECT_EQ(k0, model.Caret());
    model.Key(TreeKey::Down, false, true);
    EXPECT_EQ((std::vector<TreeViewNode*>{k0, k1}), Sel());
    model.Key(TreeKey::Left, false, false);  // k1 is a leaf: to its parent
    EXPECT_EQ(n[2], model.Caret());
    model.Key(TreeKey::Left, false, false);
    EXPECT_FALSE(n[2]->IsExpanded());
    model.Key(TreeKey::Left, false, false);  // a top-level node stays
    EXPECT_EQ(n[2], model.Caret());
    // Collapsing under a hidden caret and selection.
    model.Expand(n[2], true);
    model.Click(n[0], false, false);
    model.Click(k1, true, false);
    model.Expand(n[2], false);
    EXPECT_EQ(n[2], model.Caret());
    EXPECT_EQ(std::vector<TreeViewNode*>{n[0]}, Sel());
}

TEST_F(Flat, PageKeysMoveByAPage) {
    model.Click(n[0], false, false);
    model.Key(TreeKey::PageDown, false, false);
    EXPECT_EQ(n[3], model.Caret());
    model.Key(TreeKey::PageDown, false, false);
    EXPECT_EQ(n[6], model.Caret());
    model.Key(TreeKey::PageUp, false, false);
    EXPECT_EQ(n[3], model.Caret());
    model.Key(TreeKey::PageUp, false, false);
    model.Key(TreeKey::PageUp, false, false);
    EXPECT_EQ(n[0], model.Caret());
    model.Key(TreeKey::End, false, false);
    model.Key(TreeKey::PageDown, false, false);
    EXPECT_EQ(n[9], model.Caret());
}

TEST_F(Flat, SpaceSelectsTheCaretAlone) {
    model.Click(n[1], false, false);
    model.Click(n[2], true, false);
    model.Key(TreeKey::Space, false, false);
    EXPECT_EQ(std::vector<TreeViewNode*>{n[2]}, Sel());
    model.DeselectAll();
    EXPECT_EQ(0u, model.SelectedCount());
    EXPECT_EQ(nullptr, model.FirstSelected());
}
