// Deleting objects (subtrees, stored copies, the unseen count, the folders'
// marks) and the result pane's selected records.
#include <gtest/gtest.h>

#include "PaneFixture.h"
#include "panes/ItemDelete.h"
#include "panes/NewsTape.h"
#include "panes/ResultPane.h"
#include "support/TempDir.h"
#include "watchlist/UserFiles.h"

namespace {

struct ItemDeleteTest : ::testing::Test {
    ItemDeleteTest() {
        list.SetUserFolder(dir.Path());
        folder = AddObject(&list, "Folder", "");
        a = AddObject(folder, "A", "http://a.example/");
        b = AddObject(folder, "B", "http://b.example/");
        c = AddObject(&list, "C", "http://c.example/");
        a->copyNumber = 1;
        b->copyNumber = 2;
        c->copyNumber = 3;
        for (ItemNode* o : {a, b, c}) dir.Write(StoredCopyName(o->copyNumber), "copy");
    }
    TempDir dir;
    ItemList list;
    ItemNode *folder, *a, *b, *c;
};

}  // namespace

TEST_F(ItemDeleteTest, OnlyTopmostUnprotectedObjectsAreDeletable) {
    EXPECT_EQ((std::vector<ItemNode*>{folder, c}), DeletableObjects({a, folder, c}));
    b->properties.flags |= kFlagProtected;
    EXPECT_EQ((std::vector<ItemNode*>{a, c}), DeletableObjects({folder, a, c}))
        << "a protected object below keeps its folder";
    EXPECT_EQ((std::vector<ItemNode*>{a}), DeletableObjects({a, folder}))
        << "a selected object below a refused folder still goes alone";
}

TEST_F(ItemDeleteTest, ASubtreeGoesChildrenFirstWithCopiesAndCounts) {
    a->SetMarks(kMarkUnseen);
    c->SetMarks(kMarkUnseen);
    folder->marks |= kMarkUnseen;  // a folder's own mark is not counted
    ASSERT_TRUE(folder->HasUnseen());
    std::vector<std::string> seen;
    ObjectDeleteCounts counts = DeleteObjectTrees(
        list, {folder}, [&](ItemNode& o) { seen.push_back(o.properties.name.c_str()); });
    EXPECT_EQ(3u, counts.objects);
    EXPECT_EQ(1, counts.unseen);
    EXPECT_EQ((std::vector<std::string>{"A", "B", "Folder"}), seen);
    EXPECT_EQ(c, list.FirstItem());
    EXPECT_EQ(1u, list.Count());
    EXPECT_TRUE(TempDir::Read(dir.File(StoredCopyName(1))).empty());
    EXPECT_TRUE(TempDir::Read(dir.File(StoredCopyName(2))).empty());
    EXPECT_EQ("copy", TempDir::Read(dir.File(StoredCopyName(3))));
    // The list's derived marks follow what is left.
    DeleteObjectTrees(list, {c}, nullptr);
    EXPECT_FALSE(list.HasUnseen());
}

TEST_F(ItemDeleteTest, RecordsOfSelectedChecksAndChangesGo) {
    FixedMeasurer measurer;
    FakeTexts texts;
    TreeViewRoot root;
    TreeViewModel model(&root, &measurer);
    ResultPane pane(model, root, texts);
    CheckNode* older = AddCheck(a, 1000, 3);
    CheckNode* newer = AddCheck(a, 2000, 2);
    pane.Refill(a, 0, false);
    model.Expand(static_cast<TreeViewNode*>(older->treeNode), true);
    // The older check, one of its changes, and a change of the newer one.
    model.Select(static_cast<TreeViewNode*>(older->treeNode), true);
    model.Select(static_cast<TreeViewNode*>(older->changes.First()->treeNode), true);
    model.Expand(static_cast<TreeViewNode*>(newer->treeNode), true);
    model.Select(static_cast<TreeViewNode*>(newer->changes.Last()->treeNode), true);
    RecordDeleteCounts counts = DeleteSelectedRecords(model);
    EXPECT_EQ(1u, counts.checks);
    EXPECT_EQ(1u, counts.changes);
    ASSERT_EQ(1u, a->checks.Count());
    EXPECT_EQ(newer, a->checks.First());
    ASSERT_EQ(1u, newer->changes.Count());
    EXPECT_STREQ("change 0 at 2000", newer->changes.First()->text.c_str());
    EXPECT_EQ(0u, model.SelectedCount());
    EXPECT_EQ(nullptr, model.Caret());
    EXPECT_EQ(2u, model.RowCount()) << "the check and its one change left";
    pane.Clear();
}

TEST_F(ItemDeleteTest, ANewsTapeCopyTakesItsSourceAlong) {
    FixedMeasurer measurer;
    FakeTexts texts;
    TreeViewRoot root;
    TreeViewModel model(&root, &measurer);
    ResultPane pane(model, root, texts);
    folder->properties.flags |= kFlagNewsTape;
    AddCheck(a, 1000, 1);
    AddCheck(b, 2000, 2);
    pane.Refill(folder, 0, false);
    ASSERT_EQ(2u, folder->checks.Count());
    CheckNode* copyOfB = folder->checks.First();
    ASSERT_EQ(b, copyOfB->origin);
    model.Select(static_cast<TreeViewNode*>(copyOfB->treeNode), true);
    EXPECT_EQ(1u, DeleteSelectedRecords(model).checks);
    EXPECT_EQ(0u, b->checks.Count());
    EXPECT_EQ(1u, a->checks.Count());
    EXPECT_EQ(1u, folder->checks.Count());
    EXPECT_EQ(1u, model.RowCount());
    pane.Clear();
}
