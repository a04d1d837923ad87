// Copy numbers: unique over all objects and frames, never the number of a
// stored copy that is already on disk, repaired at start.
#include <gtest/gtest.h>

#include "WatchListIo.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/UserFiles.h"

TEST(CopyNumbers, TheFirstNumberNoObjectFrameOrFileHolds) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    AddPage(list, 1);
    ItemNode* folder = AddPage(list, 3, "");  // a folder's number holds nothing
    ItemNode* framed = AddPage(*folder, 2);
    framed->frames.reset(new _HtmlFrameNode);
    AddFrame(*framed->frames, 4, "http://a.example/f");
    dir.Write(StoredCopyName(5), "left behind");

    ItemNode* fresh = AddPage(list, 0);
    list.AssignCopyNumber(*fresh);
    EXPECT_EQ(3, fresh->copyNumber);
    ItemNode* next = AddPage(list, 0);
    list.AssignCopyNumber(*next);
    EXPECT_EQ(6, next->copyNumber);  // 4 is a frame's, 5 has a file

    _HtmlFrameNode* frame = AddFrame(*framed->frames, 99, "http://a.example/g");
    list.AssignCopyNumber(*framed, frame);
    EXPECT_EQ(7, frame->copyNumber);
    EXPECT_EQ(2, framed->copyNumber);

    // Assigning again gives up the object's own number first.
    list.AssignCopyNumber(*next);
    EXPECT_EQ(6, next->copyNumber);
}

TEST(CopyNumbers, With9999NumbersInUseANewObjectKeepsZero) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    for (unsigned n = 1; n <= 9999; ++n) AddPage(list, static_cast<uint16_t>(n));
    ItemNode* fresh = AddPage(list, 0);
    list.AssignCopyNumber(*fresh);
    EXPECT_EQ(0, fresh->copyNumber);
}

TEST(CopyNumbers, StartUpRenumberingRepairsZerosAndDuplicatesInTreeOrder) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    ItemNode* first = AddPage(list, 5);
    ItemNode* folder = AddPage(list, 5, "");
    ItemNode* second = AddPage(*folder, 5);
    ItemNode* none = AddPage(*folder, 0);
    ItemNode* third = AddPage(list, 2);
    third->frames.reset(new _HtmlFrameNode);
    _HtmlFrameNode* clash = AddFrame(*third->frames, 2, "http://a.example/f");
    _HtmlFrameNode* set = AddFrame(*third->frames, 0, "");
    _HtmlFrameNode* nested = AddFrame(*set, 0, "http://a.example/n");
    dir.Write(StoredCopyName(1), "on disk");

    list.RenumberCopies();
    EXPECT_EQ(5, first->copyNumber);
    EXPECT_EQ(5, folder->copyNumber);
    EXPECT_EQ(3, second->copyNumber);
    EXPECT_EQ(4, none->copyNumber);
    EXPECT_EQ(2, third->copyNumber);
    EXPECT_EQ(6, clash->copyNumber);
    EXPECT_EQ(0, set->copyNumber);  // a nested frameset has no address
    EXPECT_EQ(7, nested->copyNumber);
}

TEST(CopyNumbers, RenumberingLeavesAConsistentListAlone) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    for (uint16_t n : {9, 3, 7}) AddPage(list, n);
    list.RenumberCopies();
    EXPECT_EQ(9, static_cast<ItemNode*>(list.At(0))->copyNumber);
    EXPECT_EQ(3, static_cast<ItemNode*>(list.At(1))->copyNumber);
    EXPECT_EQ(7, static_cast<ItemNode*>(list.At(2))->copyNumber);
}
