// Dragging in the item pane: the keyboard's effect and its fall-backs, what
// a point over the pane means, and copies and moves of the pane's own
// selection (never into itself, never losing what was dragged).
#include <gtest/gtest.h>

#include "PaneFixture.h"
#include "panes/ItemDrop.h"
#include "panes/ItemPane.h"
#include "support/TempDir.h"

namespace {

struct ItemDropTest : ::testing::Test {
    ItemDropTest() : root(&list, nullptr), model(&root, &measurer), pane(model, root, texts) {
        list.SetUserFolder(dir.Path());
        model.SetClientSize(300, 400);
        folder = AddObject(&list, "Folder", "");
        inner = AddObject(folder, "Inner", "http://inner.example/");
        page = AddObject(&list, "Page", "http://page.example/");
        other = AddObject(&list, "Other", "http://other.example/");
        folder->expanded = true;
        pane.Build();
    }
    ~ItemDropTest() override { model.RemoveAll(); }
    static TreeViewNode* Node(ItemNode* o) { return static_cast<TreeViewNode*>(o->treeNode); }
    // Where a point over the object's label (or its icon) hits.
    TreeHitResult At(ItemNode* o, bool upper, bool onLabel = true) {
        TreeRect r;
        EXPECT_TRUE(model.NodeRect(Node(o), true, &r));
        int x = onLabel ? r.left + 1 : r.left - TreeViewModel::kIconSize / 2;
        int y = upper ? r.top + 1 : r.bottom - 2;
        return model.HitTest(x, y);
    }
    std::vector<std::string> Names(ItemNode* parent) const {
        std::vector<std::string> names;
        for (ItemNode* o = parent->FirstItem(); o; o = o->NextItem())
            names.push_back(o->properties.name.c_str());
        return names;
    }
    TempDir dir;
    FixedMeasurer measurer;
    FakeTexts texts;
    ItemList list;
    ItemTVNRoot root;
    TreeViewModel model;
    ItemPane pane;
    ItemNode *folder, *inner, *page, *other;
};

}  // namespace

TEST(DropEffects, KeysAskAndRefusedEffectsFallBack) {
    EXPECT_EQ(kDropMove, AskedDropEffect(false, false));
    EXPECT_EQ(kDropMove, AskedDropEffect(false, true));
    EXPECT_EQ(kDropCopy, AskedDropEffect(true, false));
    EXPECT_EQ(kDropLink, AskedDropEffect(true, true));
    const uint32_t all = kDropCopy | kDropMove | kDropLink;
    EXPECT_EQ(kDropCopy, FallBackDropEffect(kDropCopy, all));
    EXPECT_EQ(kDropMove, FallBackDropEffect(kDropCopy, kDropMove | kDropLink));
    EXPECT_EQ(kDropLink, FallBackDropEffect(kDropCopy, kDropLink));
    EXPECT_EQ(kDropCopy, FallBackDropEffect(kDropMove, kDropCopy | kDropLink));
    EXPECT_EQ(kDropLink, FallBackDropEffect(kDropMove, kDropLink));
    EXPECT_EQ(kDropNone, FallBackDropEffect(kDropLink, kDropCopy | kDropMove));
    EXPECT_EQ(kDropNone, FallBackDropEffect(kDropMove, kDropNone));
}

TEST_F(ItemDropTest, APageLabelSplitsIntoBeforeAndAfterAFolderTakesTheDrop) {
    ItemDropTarget t = DropTargetAt(At(page, true), root, false);
    EXPECT_EQ(&list, t.at.parent);
    EXPECT_EQ(page, t.at.anchor);
    EXPECT_TRUE(t.at.before);
    EXPECT_EQ(Node(page), t.markNode);
    EXPECT_FALSE(t.markAfter);
    t = DropTargetAt(At(inner, false), root, false);
    EXPECT_EQ(folder, t.at.parent);
    EXPECT_EQ(inner, t.at.anchor);
    EXPECT_FALSE(t.at.before);
    EXPECT_TRUE(t.markAfter);
    // Onto a folder: into it, the mark after its last child.
    t = DropTargetAt(At(folder, true), root, false);
    EXPECT_EQ(folder, t.at.parent);
    EXPECT_EQ(nullptr, t.at.anchor);
    EXPECT_EQ(Node(inner), t.markNode);
    // Off the label of a page: into the page itself.
    t = DropTargetAt(At(page, true, false), root, false);
    EXPECT_EQ(page, t.at.parent);
    // Below the last node: the end of the list.
    t = DropTargetAt(model.HitTest(5, 390), root, false);
    EXPECT_EQ(&list, t.at.parent);
    EXPECT_EQ(nullptr, t.at.anchor);
    EXPECT_EQ(Node(other), t.markNode);
    EXPECT_TRUE(t.markAfter);
}

TEST_F(ItemDropTest, OwnDragOntoASelectedNodeOrBelowOneIsRefused) {
    model.Click(Node(folder), false, false);
    EXPECT_FALSE(DropTargetAt(At(folder, true), root, true).Accepts());
    EXPECT_FALSE(DropTargetAt(At(inner, true), root, true).Accepts());
    EXPECT_TRUE(DropTargetAt(At(page, true), root, true).Accepts());
    // A drag from elsewhere may go anywhere.
    EXPECT_TRUE(DropTargetAt(At(inner, true), root, false).Accepts());
}

TEST_F(ItemDropTest, AMoveIntoItselfMovesAndDeletesNothing) {
    long alive = ItemNode::LiveCount();
    EXPECT_TRUE(MoveObjectsTo(list, {folder}, {folder, nullptr, false}).empty());
    EXPECT_TRUE(MoveObjectsTo(list, {folder}, {folder, inner, true}).empty());
    EXPECT_TRUE(MoveObjectsTo(list, {page}, {&list, page, false}).empty()) << "onto itself";
    EXPECT_TRUE(CopyObjectsTo(list, {folder}, {folder, inner, false}).empty());
    EXPECT_EQ(alive, ItemNode::LiveCount());
    EXPECT_EQ((std::vector<std::string>{"Folder", "Page", "Other"}), Names(&list));
    EXPECT_EQ(folder, inner->ParentItem());
}

TEST_F(ItemDropTest, AMoveKeepsTheObjectsInSelectionOrderAndSkipsProtectedOnes) {
    other->properties.flags |= kFlagProtected;
    inner->SetMarks(kMarkUnseen);
    std::vector<ItemNode*> oldParents;
    std::vector<ItemNode*> moved =
        MoveObjectsTo(list, {inner, other, page}, {&list, folder, true}, &oldParents);
    EXPECT_EQ((std::vector<ItemNode*>{inner, page}), moved);
    EXPECT_EQ((std::vector<std::string>{"Inner", "Page", "Folder", "Other"}), Names(&list));
    EXPECT_EQ((std::vector<ItemNode*>{folder, &list}), oldParents);
    EXPECT_FALSE(folder->HasUnseen()) << "the old folder's marks follow";
}

TEST_F(ItemDropTest, ACopyTakesTheSubtreeOnceAsNewObjects) {
    inner->copyNumber = 1;
    page->copyNumber = 2;
    // The folder holds `inner`: selecting both copies the folder once.
    std::vector<ItemNode*> copies =
        CopyObjectsTo(list, {folder, inner, page}, {&list, other, false});
    ASSERT_EQ(2u, copies.size());
    EXPECT_EQ((std::vector<std::string>{"Folder", "Page", "Other", "Folder", "Page"}),
              Names(&list));
    ItemNode* innerCopy = copies[0]->FirstItem();
    ASSERT_NE(nullptr, innerCopy);
    EXPECT_NE(inner, innerCopy);
    EXPECT_TRUE(innerCopy->neverChecked);
    EXPECT_EQ(3, innerCopy->copyNumber);
    EXPECT_EQ(4, copies[1]->copyNumber);
    EXPECT_EQ(1, inner->copyNumber);
}
