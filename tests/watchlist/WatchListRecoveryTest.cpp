// Damaged watch lists and change logs on disk: found (cut short, bytes left
// over, emptied), kept aside by a writer, and replaced by their backups when
// those are whole; a reader changes no file; a damaged file never becomes
// the backup.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/Files.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/WatchListFile.h"

namespace {

class WatchListRecovery : public ::testing::Test {
  protected:
    WatchListRecovery() : paths(dir.Path()) {
        platform::MakeDirectory(paths.userFolder.c_str());
        ItemList list;
        for (int i = 0; i < 9; ++i) {
            auto* o = new ItemNode;
            o->properties.name = ("page" + std::to_string(i)).c_str();
            o->properties.address = "http://a.example/";
            auto* c = new CheckNode(100 + i);
            c->changes.Append(new ChangeNode(("change of " + std::to_string(i)).c_str(), ""));
            o->checks.Append(c);
            list.Append(o);
        }
        EXPECT_TRUE(SaveWatchList(list, paths));
        ItemList first;  // the first writer makes the backups
        WatchListLoad r = LoadWatchListFiles(first, paths, true);
        EXPECT_FALSE(r.listDamaged || r.changeLogDamaged);
        cfg = TempDir::Read(paths.watchList);
        chl = TempDir::Read(paths.changeLog);
    }

    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    TempDir dir;
    WatchListPaths paths;
    std::string cfg, chl;
};

TEST_F(WatchListRecovery, BackupsOfWholeFilesAreTheirExactCopies) {
    EXPECT_EQ(cfg, TempDir::Read(BackupPath(paths.watchList)));
    EXPECT_EQ(chl, TempDir::Read(BackupPath(paths.changeLog)));
    EXPECT_EQ(platform::JoinPath(dir.Path(), "OVISTO.BAK"), BackupPath(paths.watchList));
    EXPECT_EQ(platform::JoinPath(dir.Path(), "OVISTO.DMG"), AsidePath(paths.watchList));
}

TEST_F(WatchListRecovery, ADamagedWatchListIsKeptAsideAndItsBackupPutInItsPlace) {
    std::string lowered = cfg;
    lowered[23] = 3;  // three of nine objects: the rest are bytes left over
    std::string cut = cfg.substr(0, cfg.size() - 5);
    for (const std::string& damaged : {lowered, cut, std::string()}) {
        Put(paths.watchList, damaged);
        ItemList list;
        WatchListLoad r = LoadWatchListFiles(list, paths, true);
        EXPECT_TRUE(r.listDamaged);
        EXPECT_TRUE(r.listFromBackup);
        EXPECT_FALSE(r.Lossy());
        EXPECT_EQ(9u, list.Count());
        EXPECT_EQ(1u, static_cast<ItemNode*>(list.At(8))->checks.Count());
        EXPECT_EQ(AsidePath(paths.watchList), r.listAside);
        EXPECT_EQ(damaged, TempDir::Read(r.listAside));
        EXPECT_EQ(cfg, TempDir::Read(paths.watchList));
        EXPECT_EQ(cfg, TempDir::Read(BackupPath(paths.watchList)));
    }
}

TEST_F(WatchListRecovery, AReaderReadsTheBackupButChangesNoFile) {
    std::string cut = cfg.substr(0, cfg.size() / 2);
    Put(paths.watchList, cut);
    Put(paths.changeLog, "");
    ItemList list;
    WatchListLoad r = LoadWatchListFiles(list, paths, false);
    EXPECT_TRUE(r.listFromBackup);
    EXPECT_TRUE(r.changeLogFromBackup);
    EXPECT_EQ(9u, list.Count());
    EXPECT_TRUE(r.listAside.empty());
    EXPECT_EQ(cut, TempDir::Read(paths.watchList));
    EXPECT_EQ("", TempDir::Read(paths.changeLog));
    EXPECT_FALSE(platform::FileExists(AsidePath(paths.watchList).c_str()));
}

TEST_F(WatchListRecovery, ADamagedChangeLogGivesWayToItsBackupAndNeverBecomesTheBackup) {
    std::string longer = chl + "x";
    for (const std::string& damaged : {std::string(), chl.substr(0, chl.size() - 3), longer}) {
        Put(paths.changeLog, damaged);
        for (int round = 0; round < 2; ++round) {  // a second writer must not back up the damage
            ItemList list;
            WatchListLoad r = LoadWatchListFiles(list, paths, round == 0);
            EXPECT_EQ(round == 0, r.changeLogDamaged);
            EXPECT_FALSE(r.Lossy());
            for (size_t i = 0; i < 9; ++i)
                EXPECT_EQ(1u, static_cast<ItemNode*>(list.At(i))->checks.Count()) << i;
            EXPECT_EQ(chl, TempDir::Read(BackupPath(paths.changeLog)));
            EXPECT_EQ(chl, TempDir::Read(paths.changeLog));
        }
        EXPECT_EQ(damaged, TempDir::Read(AsidePath(paths.changeLog)));
    }
}

TEST_F(WatchListRecovery, DamageWithoutAWholeBackupKeepsWhatCanBeReadAndSaysSo) {
    std::string cut = cfg.substr(0, cfg.size() - 5);
    Put(BackupPath(paths.watchList), "");
    Put(paths.watchList, cut);
    ItemList list;
    WatchListLoad r = LoadWatchListFiles(list, paths, true);
    EXPECT_TRUE(r.listDamaged);
    EXPECT_FALSE(r.listFromBackup);
    EXPECT_TRUE(r.Lossy());
    EXPECT_EQ(8u, list.Count());
    EXPECT_EQ(cut, TempDir::Read(paths.watchList));
    EXPECT_EQ(cut, TempDir::Read(r.listAside));
    EXPECT_EQ("", TempDir::Read(BackupPath(paths.watchList)));  // not refreshed from damage
}

TEST_F(WatchListRecovery, AListFromItsBackupTakesTheChangeLogsBackupWithIt) {
    // The command after the backups removed an object and got as far as the
    // change log: the new change log does not fit the old tree.
    ItemList list;
    LoadWatchListFiles(list, paths, false);
    delete list.At(0);
    ASSERT_TRUE(SaveWatchList(list, paths));
    Put(paths.watchList, "");
    ItemList again;
    WatchListLoad r = LoadWatchListFiles(again, paths, true);
    EXPECT_TRUE(r.listFromBackup);
    EXPECT_TRUE(r.changeLogFromBackup);
    ASSERT_EQ(9u, again.Count());
    EXPECT_STREQ(
        "change of 0",
        static_cast<ItemNode*>(again.At(0))->checks.First()->changes.First()->text.c_str());
    EXPECT_EQ(chl, TempDir::Read(paths.changeLog));
}

TEST_F(WatchListRecovery, AMissingWatchListIsTheFirstStartNotDamage) {
    platform::RemoveFile(paths.watchList.c_str());
    ItemList list;
    WatchListLoad r = LoadWatchListFiles(list, paths, true);
    EXPECT_TRUE(r.firstStart);
    EXPECT_FALSE(r.listDamaged);
    EXPECT_EQ(0u, list.Count());
}

}  // namespace
