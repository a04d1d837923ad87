// The item pane's node texts, images and state images, and its top-down
// build.
#include <gtest/gtest.h>

#include "PaneFixture.h"
#include "panes/ItemPane.h"

namespace {

struct ItemPaneTest : ::testing::Test {
    ItemPaneTest() : root(&list, nullptr), model(&root, &measurer), pane(model, root, texts) {
        folder = AddObject(&list, "News", "");
        page = AddObject(folder, "Weather", "http://weather.example/");
        mail = AddObject(folder, "", "mailto:joe:pw@pop.example.com");
        list.RecomputeMarks();
    }
    ~ItemPaneTest() override { model.RemoveAll(); }
    FixedMeasurer measurer;
    FakeTexts texts;
    ItemList list;
    ItemTVNRoot root;
    TreeViewModel model;
    ItemPane pane;
    ItemNode *folder, *page, *mail;
};

}  // namespace

TEST_F(ItemPaneTest, ImagesFollowStateAndMarks) {
    EXPECT_EQ(2, ItemImageIndex(*page));
    page->state = kCheckRequested;
    EXPECT_EQ(2, ItemImageIndex(*page));
    page->SetMarks(kMarkUnseen);
    EXPECT_EQ(5, ItemImageIndex(*page));
    EXPECT_EQ(5, ItemImageIndex(*folder)) << "unseen below a folder";
    page->state = kCheckDownloading;
    EXPECT_EQ(1, ItemImageIndex(*page));
    page->state = 7;
    EXPECT_EQ(1, ItemImageIndex(*page)) << "an unknown state shows as busy";
    page->state = kCheckComparing;
    EXPECT_EQ(4, ItemImageIndex(*page));
    page->state = kCheckFailed;
    EXPECT_EQ(8, ItemImageIndex(*page));
    page->ClearMarks(kMarkSwitchedOn);
    EXPECT_EQ(9, ItemImageIndex(*page)) << "switched off overrides failure";
}

TEST_F(ItemPaneTest, AFolderWithEverythingBelowSwitchedOffShowsStateImageNine) {
    pane.Build();
    page->ClearMarks(kMarkSwitchedOn);
    pane.RefreshObjectNode(*folder);
    auto* node = static_cast<TreeViewNode*>(folder->treeNode);
    EXPECT_EQ(2, node->StateImage()) << "the mailbox is still on";
    mail->ClearMarks(kMarkSwitchedOn);
    pane.RefreshObjectNode(*folder);
    EXPECT_EQ(0, node->Image());
    EXPECT_EQ(9, node->StateImage());
    mail->SetMarks(kMarkSwitchedOn);
    pane.RefreshObjectNode(*folder);
    EXPECT_EQ(2, node->StateImage());
    auto* empty = AddObject(&list, "Empty", "");
    pane.AddObjectNode(*empty, &root);
    EXPECT_EQ(2, static_cast<TreeViewNode*>(empty->treeNode)->StateImage())
        << "an empty folder switched on is not off";
    pane.RefreshObjectNode(*page);
    auto* pageNode = static_cast<TreeViewNode*>(page->treeNode);
    EXPECT_EQ(9, pageNode->Image());
    EXPECT_EQ(0, pageNode->StateImage());
}

TEST_F(ItemPaneTest, TextsCarryTheErrorOfAFailedObject) {
    EXPECT_EQ("Weather", ItemNodeText(*page, texts));
    EXPECT_EQ("pop.example.com", ItemNodeText(*mail, texts));
    page->state = kCheckFailed;
    EXPECT_EQ("Weather", ItemNodeText(*page, texts)) << "no error code, no suffix";
    page->lastError = -2;
    EXPECT_EQ("Weather  T9280: T10000", ItemNodeText(*page, texts));
    page->lastError = -1;
    page->detail = 404;
    EXPECT_EQ("Weather  T9280: T10404", ItemNodeText(*page, texts));
    page->lastError = 12007;
    EXPECT_EQ("Weather  T9280: E12007/404", ItemNodeText(*page, texts));
    page->state = kCheckIdle;
    EXPECT_EQ("Weather", ItemNodeText(*page, texts));
}

// A language module without words for an empty page or for a status still
// says what failed, as every other failure does.
TEST_F(ItemPaneTest, AFailureWithoutWordsOfItsOwnTakesTheErrorText) {
    page->state = kCheckFailed;
    texts.missing = {10000, 10429};
    page->lastError = -2;
    EXPECT_EQ("Weather  T9280: E-2/0", ItemNodeText(*page, texts));
    page->lastError = -1;
    page->detail = 429;
    EXPECT_EQ("Weather  T9280: E-1/429", ItemNodeText(*page, texts));
    page->detail = 404;
    EXPECT_EQ("Weather  T9280: T10404", ItemNodeText(*page, texts));
    page->detail = -7;  // no status: never a number below 10000
    EXPECT_EQ("Weather  T9280: E-1/-7", ItemNodeText(*page, texts));
}

TEST_F(ItemPaneTest, BuildsTopDownAndPlacesLateNodesInListOrder) {
    folder->expanded = true;
    pane.Build();
    EXPECT_TRUE(root.IsExpanded());
    ASSERT_EQ(3u, model.RowCount());
    EXPECT_EQ(folder->treeNode, model.RowNode(0));
    EXPECT_EQ(mail->treeNode, model.RowNode(2));
    EXPECT_EQ(folder->treeNode, model.Caret());
    // An object inserted between two with nodes gets its node between them.
    auto* middle = new ItemNode;
    middle->properties.name = "Middle";
    middle->properties.address = "http://middle.example/";
    folder->InsertAfter(page, middle);
    pane.AddObjectNode(*middle, static_cast<TreeViewNode*>(folder->treeNode));
    EXPECT_EQ(middle->treeNode, model.RowNode(2));
    EXPECT_EQ("Middle", model.RowNode(2)->Text());
    // Expand changes reach the object.
    model.Expand(static_cast<TreeViewNode*>(folder->treeNode), false);
    pane.ExpandChanged(static_cast<TreeViewNode*>(folder->treeNode));
    EXPECT_FALSE(folder->expanded);
    EXPECT_EQ(nullptr, ItemPane::ObjectOf(&root));
    EXPECT_EQ(page, ItemPane::ObjectOf(static_cast<TreeViewNode*>(page->treeNode)));
}

TEST_F(ItemPaneTest, ANodeGoneClearsItsObjectsReference) {
    pane.Build();
    model.Remove(static_cast<TreeViewNode*>(folder->treeNode));
    EXPECT_EQ(nullptr, folder->treeNode);
    EXPECT_EQ(nullptr, page->treeNode);
}
