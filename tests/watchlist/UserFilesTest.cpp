// Stored copies and temporary files in "USER", the start of a program
// directory and the watch list files on disk.
#include <gtest/gtest.h>

#include <fstream>

#include "Bytes.h"
#include "WatchListFixtures.h"
#include "WatchListIo.h"
#include "platform/Files.h"
#include "support/TempDir.h"
#include "watchlist/UserFiles.h"
#include "watchlist/WatchListFile.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

namespace {

bool Exists(const std::string& path) { return platform::FileExists(path.c_str()); }

}  // namespace

TEST(UserFiles, NamesFollowTheCopyNumber) {
    EXPECT_EQ("OV000000.HTM", StoredCopyName(1));
    EXPECT_EQ("OV009998.HTM", StoredCopyName(9999));
    ItemList list;
    list.SetUserFolder("USER");
    ItemNode* page = AddPage(list, 12);
    _HtmlFrameNode frame;
    frame.copyNumber = 40;
    EXPECT_EQ(platform::JoinPath("USER", "OV000011.HTM"), StoredCopyPath(list, *page, nullptr));
    EXPECT_EQ(platform::JoinPath("USER", "OV000039.TMP"), TempFilePath(list, *page, &frame));
}

TEST(UserFiles, StoreCopyReplacesTheStoredCopyAndRecordsTheCharacterSet) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    _HtmlFrameNode* frame = AddFramedPage(list, 1, 2);
    ItemNode* page = Top(list, 0);
    dir.Write("OV000000.HTM", "old page");
    std::string temp = dir.Write("OV000000.TMP", "new page");

    StoreCopy(list, *page, nullptr, temp.c_str(), 3);
    EXPECT_EQ("new page", TempDir::Read(dir.File("OV000000.HTM")));
    EXPECT_FALSE(Exists(temp));
    EXPECT_EQ(3, page->copyCharset);

    std::string frameTemp = dir.Write("OV000001.TMP", "frame");
    StoreCopy(list, *page, frame, frameTemp.c_str(), 4);
    EXPECT_EQ("frame", TempDir::Read(dir.File("OV000001.HTM")));
    EXPECT_EQ(4, frame->copyCharset);
    EXPECT_EQ(3, page->copyCharset);
}

TEST(UserFiles, DeleteObjectFilesTakesTheFramesAlong) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    AddFramedPage(list, 1, 3);
    ItemNode* page = Top(list, 0);
    for (const char* name : {"OV000000.HTM", "OV000000.TMP", "OV000002.HTM", "OV000002.TMP", "OV000001.HTM"})
        dir.Write(name, "x");
    DeleteObjectFiles(list, *page);
    EXPECT_FALSE(Exists(dir.File("OV000000.HTM")));
    EXPECT_FALSE(Exists(dir.File("OV000000.TMP")));
    EXPECT_FALSE(Exists(dir.File("OV000002.HTM")));
    EXPECT_FALSE(Exists(dir.File("OV000002.TMP")));
    EXPECT_TRUE(Exists(dir.File("OV000001.HTM")));
}

TEST(UserFiles, CleanUpSparesLiveObjectsAndTheirFrames) {
    TempDir dir;
    ItemList list;
    list.SetUserFolder(dir.Path());
    AddFramedPage(list, 1, 7);
    AddPage(list, 2, "");  // a folder keeps no copy
    dir.Write("ov000000.htm", "live, other case");
    dir.Write("OV000006.HTM", "live frame");
    dir.Write("OV000001.HTM", "folder's number");
    dir.Write("OV000004.HTM", "deleted object");
    dir.Write("OV000000.TMP", "interrupted download");
    dir.Write("OVISTO.CHL", "log");
    dir.Write("Weath051202.TXT", "text log");

    CleanUpUserFolder(list);
    EXPECT_TRUE(Exists(dir.File("ov000000.htm")));
    EXPECT_TRUE(Exists(dir.File("OV000006.HTM")));
    EXPECT_FALSE(Exists(dir.File("OV000001.HTM")));
    EXPECT_FALSE(Exists(dir.File("OV000004.HTM")));
    EXPECT_FALSE(Exists(dir.File("OV000000.TMP")));
    EXPECT_TRUE(Exists(dir.File("OVISTO.CHL")));
    EXPECT_TRUE(Exists(dir.File("Weath051202.TXT")));
}

TEST(WatchListStart, AnEmptyDirectoryIsAFirstStart) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    ItemList list;
    WatchListStart start = StartWatchList(list, paths);
    EXPECT_TRUE(start.firstStart);
    EXPECT_TRUE(start.userFolderCreated);
    EXPECT_TRUE(platform::IsDirectory(paths.userFolder.c_str()));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(paths.userFolder, list.UserFolder());
}

TEST(WatchListStart, LoadsBacksUpRenumbersAndCleansUp) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    dir.Write("OVISTO.CFG", Version10File());
    platform::MakeDirectory(paths.userFolder.c_str());
    std::string log = ChangeLogHeader(10).U8(0).U32(0).U8(0).U32(0).U8(1).U32(5).U16(0).str();
    {
        std::ofstream(paths.changeLog, std::ios::binary) << log;
        std::ofstream(platform::JoinPath(paths.userFolder, "OV000098.HTM")) << "orphan";
        std::ofstream(platform::JoinPath(paths.userFolder, "OV000006.HTM")) << "page 7";
    }
    ItemList list;
    WatchListStart start = StartWatchList(list, paths);
    EXPECT_FALSE(start.firstStart);
    EXPECT_FALSE(start.userFolderCreated);
    EXPECT_EQ(1, start.newChanges);
    EXPECT_EQ(Version10File(), TempDir::Read(dir.File("OVISTO.BAK")));
    // The change log ends before the tree does: it is kept aside, never
    // made the backup, and what it holds is read.
    EXPECT_TRUE(start.load.changeLogDamaged);
    EXPECT_FALSE(Exists(platform::JoinPath(paths.userFolder, "OVISTO.BAK")));
    EXPECT_EQ(log, TempDir::Read(platform::JoinPath(paths.userFolder, "OVISTO.DMG")));
    EXPECT_TRUE(Exists(platform::JoinPath(paths.userFolder, "OV000006.HTM")));
    EXPECT_FALSE(Exists(platform::JoinPath(paths.userFolder, "OV000098.HTM")));
    ItemNode* page = Child(*Top(list, 0), 0);
    EXPECT_FALSE(page->neverChecked);
    EXPECT_EQ(5u, page->properties.lastCheck);
    EXPECT_TRUE(page->HasUnseen());
    EXPECT_TRUE(Top(list, 0)->HasUnseen());
}

TEST(WatchListStart, AMissingUserFolderMarksEveryObjectNeverChecked) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    dir.Write("OVISTO.CFG", Version10File());
    ItemList list;
    WatchListStart start = StartWatchList(list, paths);
    EXPECT_TRUE(start.userFolderCreated);
    EXPECT_TRUE(Child(*Top(list, 0), 0)->neverChecked);
    EXPECT_TRUE(Top(list, 1)->neverChecked);
}

TEST(WatchListStart, ADamagedFileWithoutBackupLoadsEmptyAndIsKeptAside) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    std::string damaged = Version10File();
    damaged[0] = 'X';
    dir.Write("OVISTO.CFG", damaged);
    ItemList list;
    WatchListStart start = StartWatchList(list, paths);
    EXPECT_FALSE(start.firstStart);
    EXPECT_TRUE(start.load.listDamaged);
    EXPECT_TRUE(start.load.Lossy());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(SaveWatchList(list, paths));
    EXPECT_EQ(WatchListHeader(10).U16(0).str(), TempDir::Read(paths.watchList));
    EXPECT_EQ(damaged, TempDir::Read(dir.File("OVISTO.DMG")));
    EXPECT_FALSE(Exists(dir.File("OVISTO.BAK")));
}

TEST(WatchListFiles, SaveAndOpenRoundTripBothFiles) {
    TempDir dir;
    WatchListPaths paths(dir.Path());
    platform::MakeDirectory(paths.userFolder.c_str());
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, Version10File()));
    Child(*Top(list, 0), 0)->checks.Prepend(new CheckNode(99));
    ASSERT_TRUE(SaveWatchList(list, paths));
    EXPECT_EQ(Version10File(), TempDir::Read(paths.watchList));

    ItemList back;
    ASSERT_TRUE(OpenWatchList(back, paths));
    ASSERT_EQ(1u, Child(*Top(back, 0), 0)->checks.Count());
    EXPECT_EQ(99u, Child(*Top(back, 0), 0)->checks.First()->time);
    EXPECT_EQ(SavedChanges(list), TempDir::Read(paths.changeLog));
}

TEST(WatchListFiles, SavingIntoAMissingFolderFails) {
    TempDir dir;
    WatchListPaths paths(dir.File("missing"));
    ItemList list;
    EXPECT_FALSE(SaveWatchList(list, paths));
    EXPECT_FALSE(OpenWatchList(list, paths));
}
// clang-format on
