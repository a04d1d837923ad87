// Saves interrupted at every write, flush and rename (a process killed at
// that moment) and saves on a full disk: afterwards the watch list or its
// backup is whole, no object saved before the interrupted command is lost,
// and every object still carries its own history.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/SafeSave.h"
#include "watchlist/WatchListFile.h"

namespace {

// Fails every file operation from the `g_failFrom`-th on (a crash: nothing
// after it reaches the disk), or only the writes (a full disk).
long g_count = 0;
long g_failFrom = -1;
bool g_writesOnly = false;

uint32_t Fault(platform::FileOp op, const char*) {
    if (g_writesOnly && op != platform::FileOp::kWrite) return 0;
    return g_failFrom >= 0 && g_count++ >= g_failFrom ? uint32_t{platform::kErrDiskFull} : 0u;
}

struct FaultScope {
    FaultScope(long from, bool writesOnly) {
        g_count = 0;
        g_failFrom = from;
        g_writesOnly = writesOnly;
        platform::SetFileFaultHook(Fault);
    }
    ~FaultScope() { platform::SetFileFaultHook(nullptr); }
    bool Hit() const { return g_count > g_failFrom; }
};

// Object name -> the texts of its checks, newest first.
using Shape = std::map<std::string, std::string>;

Shape ShapeOf(const ItemList& list) {
    Shape s;
    const ItemNode* root = &list;
    for (const ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
        std::string history;
        for (const CheckNode* c = o->checks.First(); c; c = c->NextCheck())
            for (const ChangeNode* ch = c->changes.First(); ch; ch = ch->NextChange())
                history += std::string(ch->text.c_str()) + ";";
        s[o->properties.name.c_str()] = history;
    }
    return s;
}

ItemNode* AddObject(ItemList& list, const std::string& name, int checks) {
    auto* o = new ItemNode;
    o->properties.name = name.c_str();
    o->properties.address = ("http://" + name + ".example/").c_str();
    list.Append(o);
    for (int i = 0; i < checks; ++i) {
        auto* c = new CheckNode(1000 + i);
        c->changes.Append(new ChangeNode((name + " change " + std::to_string(i)).c_str(), ""));
        o->checks.Prepend(c);
    }
    return o;
}

class SaveFaultTest : public ::testing::Test {
  protected:
    SaveFaultTest() : paths(dir.Path()) {
        platform::MakeDirectory(paths.userFolder.c_str());
        ItemList list;
        for (int i = 0; i < 40; ++i) AddObject(list, "page" + std::to_string(i), i % 4);
        EXPECT_TRUE(SaveWatchList(list, paths));
        // A first writer makes the backups, as every writer does.
        ItemList loaded;
        LoadWatchListFiles(loaded, paths, true);
        before = ShapeOf(loaded);
        for (const std::string& f : Files()) pristine.push_back(TempDir::Read(f));
    }

    std::vector<std::string> Files() const {
        return {paths.watchList, paths.changeLog, BackupPath(paths.watchList),
                BackupPath(paths.changeLog)};
    }

    // The four files as they were before the first command; nothing else.
    void RestoreBefore() {
        std::vector<std::string> files = Files();
        for (size_t i = 0; i < files.size(); ++i) {
            platform::RemoveFile(ReplacementPath(files[i]).c_str());
            platform::RemoveFile(AsidePath(files[i]).c_str());
            std::ofstream(files[i], std::ios::binary) << pristine[i];
        }
    }

    // One command: read as a writer, change the tree, save.
    static void Command(const WatchListPaths& paths, int kind) {
        ItemList list;
        LoadWatchListFiles(list, paths, true);
        if (kind == 0) {
            AddObject(list, "added", 2);
        } else if (kind == 1) {
            delete list.At(3);  // an object with history, from the middle
        } else {
            ItemNode* o = static_cast<ItemNode*>(list.At(5));
            o->checks.Prepend(new CheckNode(5000));
            o->checks.First()->changes.Append(new ChangeNode("page5 late change", ""));
        }
        SaveWatchList(list, paths);
    }

    Shape Reloaded() {
        ItemList list;
        WatchListLoad r = LoadWatchListFiles(list, paths, true);
        EXPECT_FALSE(r.firstStart);
        EXPECT_FALSE(r.Lossy());
        return ShapeOf(list);
    }

    TempDir dir;
    WatchListPaths paths;
    Shape before;
    std::vector<std::string> pristine;
};

TEST_F(SaveFaultTest, AKillAtEveryFileOperationLeavesTheOldOrTheNewListWithItsOwnHistory) {
    for (int kind = 0; kind < 3; ++kind) {
        Shape after;
        {
            TempDir other;
            WatchListPaths twin(other.Path());
            platform::MakeDirectory(twin.userFolder.c_str());
            platform::CopyFileTo(paths.watchList.c_str(), twin.watchList.c_str(), false);
            platform::CopyFileTo(paths.changeLog.c_str(), twin.changeLog.c_str(), false);
            Command(twin, kind);
            ItemList list;
            LoadWatchListFiles(list, twin, false);
            after = ShapeOf(list);
            ASSERT_NE(before, after) << kind;
        }
        for (long at = 0;; ++at) {
            bool hit;
            {
                FaultScope crash(at, false);
                Command(paths, kind);
                hit = crash.Hit();
            }
            Shape now = Reloaded();
            EXPECT_TRUE(now == before || now == after) << "kind " << kind << " killed at " << at;
            if (!hit) {
                EXPECT_EQ(after, now) << kind;
                break;
            }
            ASSERT_LT(at, 200) << "the command never completed";
            RestoreBefore();
        }
        RestoreBefore();
    }
}

TEST_F(SaveFaultTest, AFullDiskAtAnyWriteLeavesBothFilesAndTheirBackupsAsTheyWere) {
    const std::string cfg = TempDir::Read(paths.watchList);
    const std::string chl = TempDir::Read(paths.changeLog);
    const std::string bak = TempDir::Read(BackupPath(paths.watchList));
    for (long at = 0;; ++at) {
        bool hit;
        SaveResult r;
        {
            FaultScope full(at, true);
            ItemList list;
            LoadWatchListFiles(list, paths, true);
            AddObject(list, "added", 1);
            r = SaveWatchList(list, paths);
            hit = full.Hit();
        }
        if (!hit) {
            EXPECT_TRUE(r);
            break;
        }
        EXPECT_EQ(platform::kErrDiskFull, r.error) << at;
        EXPECT_FALSE(r.partly) << at;
        EXPECT_FALSE(r.file.empty()) << at;
        EXPECT_EQ(cfg, TempDir::Read(paths.watchList)) << at;
        EXPECT_EQ(chl, TempDir::Read(paths.changeLog)) << at;
        EXPECT_EQ(bak, TempDir::Read(BackupPath(paths.watchList))) << at;
        EXPECT_FALSE(platform::FileExists(ReplacementPath(paths.watchList).c_str())) << at;
        EXPECT_FALSE(platform::FileExists(ReplacementPath(paths.changeLog).c_str())) << at;
        EXPECT_EQ(before, Reloaded()) << at;
        ASSERT_LT(at, 200);
    }
    Shape saved = Reloaded();
    EXPECT_EQ(before.size() + 1, saved.size());
}

}  // namespace
