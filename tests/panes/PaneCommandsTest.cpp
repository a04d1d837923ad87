// The command rules without a window: new objects' positions, the result
// pane's target, the popup menus' trims, separator pruning, and deleting
// records from a selected one on.
#include <gtest/gtest.h>

#include "PaneFixture.h"
#include "panes/ItemDelete.h"
#include "panes/PaneCommands.h"
#include "panes/ResultPane.h"

namespace {

struct PaneCommandsTest : ::testing::Test {
    PaneCommandsTest() {
        folder = AddObject(&list, "Folder", "");
        page = AddObject(folder, "Page", "http://a.example/");
        mailbox = AddObject(&list, "Mail", "mailto:me@b.example");
    }
    ItemList list;
    ItemNode *folder, *page, *mailbox;
};

bool Same(const InsertPosition& a, const InsertPosition& b) {
    return a.parent == b.parent && a.anchor == b.anchor && a.before == b.before;
}

TEST_F(PaneCommandsTest, NewObjectsGoIntoAFolderOrRightAfterAPage) {
    EXPECT_TRUE(Same({folder, nullptr, false}, NewObjectPosition(list, folder)));
    EXPECT_TRUE(Same({folder, page, false}, NewObjectPosition(list, page)));
    EXPECT_TRUE(Same({&list, mailbox, false}, NewObjectPosition(list, mailbox)));
    EXPECT_TRUE(Same({&list, nullptr, false}, NewObjectPosition(list, nullptr)));
    // Placed there, the object lands right after the page, before its next sibling.
    ItemNode* next = AddObject(folder, "Next", "http://c.example/");
    auto* made = new ItemNode;
    PlaceObject(NewObjectPosition(list, page), nullptr, made);
    EXPECT_EQ(made, page->NextItem());
    EXPECT_EQ(next, made->NextItem());
}

TEST_F(PaneCommandsTest, AFolderMeansTheOwnerOfItsSelectedCheckInsideIt) {
    CheckNode copy(5);
    EXPECT_EQ(page, ResultTarget(page, nullptr));
    EXPECT_EQ(nullptr, ResultTarget(folder, nullptr));
    copy.origin = page;
    EXPECT_EQ(page, ResultTarget(folder, &copy));
    copy.origin = mailbox;  // not inside the folder
    EXPECT_EQ(nullptr, ResultTarget(folder, &copy));
    EXPECT_EQ(nullptr, ResultTarget(nullptr, &copy));
}

TEST_F(PaneCommandsTest, ItemPopupOpensMailboxesAndPagesByTheirOwnItem) {
    PopupEdits m = ItemPopupEdits(mailbox);
    EXPECT_EQ(kCmdOpenMailbox, m.defaultId);
    EXPECT_EQ((std::vector<int>{kCmdOpenPage, kCmdOpenPageNewWindow}), m.removedIds);
    PopupEdits p = ItemPopupEdits(page);
    EXPECT_EQ(kCmdOpenPage, p.defaultId);
    EXPECT_EQ((std::vector<int>{kCmdOpenMailbox}), p.removedIds);
    for (const ItemNode* o :
         {static_cast<const ItemNode*>(folder), static_cast<const ItemNode*>(nullptr)}) {
        PopupEdits f = ItemPopupEdits(o);
        EXPECT_EQ(0, f.defaultId);
        EXPECT_TRUE(f.removedIds.empty());
        EXPECT_TRUE(f.removedPositions.empty());
    }
}

TEST_F(PaneCommandsTest, ResultPopupKeepsTheLinkItemsOfALinkedChange) {
    ChangeNode web("text", "http://d.example/"), mail("from", "MAILTO:x@d.example");
    ResultPopupState s;
    s.onRecord = true;
    s.target = page;
    s.linkedChange = &web;
    PopupEdits w = ResultPopupEdits(s);
    EXPECT_EQ(kCmdOpenChangeLinkPage, w.defaultId);
    for (int id : {kCmdOpenPage, kCmdOpenPageNewWindow, kCmdCopyUrl, kCmdOpenChangeLink,
                   kCmdOpenChangeLinkNewWindow})
        EXPECT_TRUE(w.Removes(id)) << id;
    EXPECT_FALSE(w.Removes(kCmdCopyChangeLink));
    s.linkedChange = &mail;
    PopupEdits m = ResultPopupEdits(s);
    EXPECT_EQ(kCmdOpenChangeLink, m.defaultId) << "the scheme is compared without case";
    EXPECT_TRUE(m.Removes(kCmdOpenChangeLinkPage));
    EXPECT_FALSE(m.Removes(kCmdOpenChangeLinkNewWindow));
}

TEST_F(PaneCommandsTest, ResultPopupWithoutALinkFollowsTheTargetOrDropsTheOpenItems) {
    ResultPopupState s;
    EXPECT_EQ(0, ResultPopupEdits(s).defaultId) << "no record selected: unchanged";
    EXPECT_TRUE(ResultPopupEdits(s).removedIds.empty());
    s.onRecord = true;
    s.target = mailbox;
    PopupEdits m = ResultPopupEdits(s);
    EXPECT_EQ(kCmdOpenMailbox, m.defaultId);
    for (int id : {kCmdOpenPage, kCmdOpenPageNewWindow, kCmdOpenChangeLink,
                   kCmdOpenChangeLinkNewWindow, kCmdOpenChangeLinkPage, kCmdCopyChangeLink})
        EXPECT_TRUE(m.Removes(id)) << id;
    EXPECT_FALSE(m.Removes(kCmdCopyUrl));
    s.target = nullptr;
    PopupEdits none = ResultPopupEdits(s);
    EXPECT_EQ(0, none.defaultId);
    EXPECT_EQ((std::vector<int>{2}), none.removedPositions);
    for (int id : {kCmdOpenPage, kCmdOpenPageNewWindow, kCmdOpenMailbox, kCmdCopyUrl})
        EXPECT_TRUE(none.Removes(id)) << id;
}

TEST(SeparatorPruning, FirstLastAndDoubledSeparatorsGo) {
    EXPECT_EQ((std::vector<size_t>{}), SeparatorsToPrune({1, 0, 2}));
    EXPECT_EQ((std::vector<size_t>{5, 3, 0}), SeparatorsToPrune({0, 1, 0, 0, 2, 0}));
    EXPECT_EQ((std::vector<size_t>{2, 1, 0}), SeparatorsToPrune({0, 0, 0}));
    EXPECT_EQ((std::vector<size_t>{4, 2}), SeparatorsToPrune({1, 0, 0, 2, 0}));
    EXPECT_TRUE(SeparatorsToPrune({}).empty());
    // Removed in the order given, none is left first, last or doubled.
    std::vector<int> menu{0, 7, 0, 0, 0, 8, 0, 9, 0};
    for (size_t at : SeparatorsToPrune(menu)) menu.erase(menu.begin() + static_cast<long>(at));
    EXPECT_EQ((std::vector<int>{7, 0, 8, 0, 9}), menu);
}

TEST_F(PaneCommandsTest, DeleteFromHereTakesTheOlderChecksAndTheLaterChanges) {
    FixedMeasurer measurer;
    FakeTexts texts;
    TreeViewRoot root;
    TreeViewModel model(&root, &measurer);
    ResultPane pane(model, root, texts);
    AddCheck(page, 1000, 1);
    CheckNode* middle = AddCheck(page, 2000, 4);
    CheckNode* newest = AddCheck(page, 3000, 2);
    pane.Refill(page, 0, false);
    model.Expand(static_cast<TreeViewNode*>(middle->treeNode), true);
    model.Expand(static_cast<TreeViewNode*>(newest->treeNode), true);
    // The middle check's second change, the same check again, and the
    // newest check's second (last) change.
    auto* second = static_cast<ChangeNode*>(middle->changes.First()->Next());
    ASSERT_NE(nullptr, second);
    model.Select(static_cast<TreeViewNode*>(second->treeNode), true);
    model.Select(static_cast<TreeViewNode*>(newest->changes.Last()->treeNode), true);
    RecordDeleteCounts counts = DeleteRecordsFromHere(model);
    EXPECT_EQ(0u, counts.checks);
    EXPECT_EQ(4u, counts.changes) << "three of the middle check, one of the newest";
    EXPECT_EQ(1u, middle->changes.Count());
    EXPECT_EQ(1u, newest->changes.Count());
    model.Select(static_cast<TreeViewNode*>(middle->treeNode), true);
    model.Select(static_cast<TreeViewNode*>(middle->changes.First()->treeNode), true);
    counts = DeleteRecordsFromHere(model);
    EXPECT_EQ(2u, counts.checks) << "the middle and the oldest check, once each";
    EXPECT_EQ(0u, counts.changes) << "a change whose check goes is not counted alone";
    ASSERT_EQ(1u, page->checks.Count());
    EXPECT_EQ(newest, page->checks.First());
    EXPECT_EQ(0u, model.SelectedCount());
}

TEST(BrowserCall, TheAddressTakesTheFirstPercentOneOrFollowsTheArguments) {
    ProgramCall quoted =
        BrowserCall("\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\" %1", "http://a.example/");
    EXPECT_STREQ("C:\\Program Files\\Web\\web.exe", quoted.program.c_str());
    EXPECT_STREQ("-nohome \"http://a.example/\" %1", quoted.arguments.c_str());
    ProgramCall plain = BrowserCall("  web.exe   -new", "http://b.example/");
    EXPECT_STREQ("web.exe", plain.program.c_str());
    EXPECT_STREQ("-new http://b.example/", plain.arguments.c_str());
    ProgramCall bare = BrowserCall("web.exe", "http://c.example/");
    EXPECT_STREQ("http://c.example/", bare.arguments.c_str());
    ProgramCall broken = BrowserCall("\"web.exe", "x");
    EXPECT_STREQ("web.exe", broken.program.c_str()) << "an unclosed quote ends the command";
    EXPECT_TRUE(BrowserCall("", "x").program.IsEmpty()) << "no command: nothing to run";
}

}  // namespace
