#include "stream/FileUtils.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/Files.h"
#include "stream/DirFileIterator.h"
#include "stream/ListStore.h"
#include "stream/BinIo.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"

TEST(MakeBackup, CopiesToTheBakNameAndSparesReadOnlyFiles) {
    TempDir dir;
    std::string cfg = dir.Write("OVISTO.CFG", "new");
    dir.Write("OVISTO.BAK", "old backup");
    EXPECT_FALSE(MakeBackup(cfg.c_str(), false));
    EXPECT_EQ("new", TempDir::Read(dir.File("OVISTO.BAK")));
    EXPECT_TRUE(platform::FileExists(cfg.c_str()));

    std::string locked = dir.Write("LOCKED.CHL", "x");
    platform::SetAttributes(locked.c_str(), platform::kAttrReadOnly);
    EXPECT_FALSE(MakeBackup(locked.c_str(), false));
    EXPECT_FALSE(platform::FileExists(dir.File("LOCKED.BAK").c_str()));

    std::string noExt = dir.Write("README", "r");
    EXPECT_FALSE(MakeBackup(noExt.c_str(), true));
    EXPECT_FALSE(platform::FileExists(noExt.c_str()));
    EXPECT_EQ("r", TempDir::Read(dir.File("README.BAK")));
}

TEST(FileUtils, DeleteWithForceClearsReadOnly) {
    TempDir dir;
    std::string f = dir.Write("a.txt", "x");
    platform::SetAttributes(f.c_str(), platform::kAttrReadOnly);
    uint32_t err = 0;
    EXPECT_FALSE(EraseFile(f.c_str(), false, &err));
    EXPECT_NE(0u, err);
    EXPECT_TRUE(EraseFile(f.c_str(), true, &err));
    EXPECT_EQ(0u, err);
    EXPECT_FALSE(EraseFile(f.c_str(), true, &err));
    EXPECT_EQ(2u, err);
}

TEST(FileUtils, MoveReplacesOnlyWhenAsked) {
    TempDir dir;
    std::string a = dir.Write("a", "A"), b = dir.Write("b", "B");
    uint32_t err = 0;
    EXPECT_FALSE(RenameFile(a.c_str(), b.c_str(), false, &err));
    EXPECT_NE(0u, err);
    EXPECT_TRUE(RenameFile(a.c_str(), b.c_str(), true, &err));
    EXPECT_EQ("A", TempDir::Read(b));
    EXPECT_FALSE(RenameFile(nullptr, b.c_str(), true, &err));
    EXPECT_EQ(87u, err);
}

TEST(FileUtils, CreateDirectoryWithParents) {
    TempDir dir;
    std::string deep =
        dir.File("one") + platform::PathSeparator() + "two" + platform::PathSeparator() + "USER";
    uint32_t err = 1;
    EXPECT_FALSE(CreateFolder(deep.c_str(), false, &err));
    EXPECT_TRUE(CreateFolder(deep.c_str(), true, &err));
    EXPECT_EQ(0u, err);
    EXPECT_TRUE(platform::IsDirectory(deep.c_str()));
    EXPECT_TRUE(CreateFolder(deep.c_str(), true, &err));  // already there
}

TEST(DirFileIterator, MatchesPatternsWithoutRegardToCase) {
    TempDir dir;
    dir.Write("OV000001.HTM", "1");
    dir.Write("ov000002.htm", "2");
    dir.Write("OV000003.TMP", "3");
    dir.Write("other.txt", "4");
    std::set<std::string> names;
    std::string pattern = dir.File("OV??????.HTM");
    for (DirFileIterator it(pattern.c_str()); it.IsValid(); it.Next()) names.insert(it.Name());
    EXPECT_EQ((std::set<std::string>{"OV000001.HTM", "ov000002.htm"}), names);

    DirFileIterator none(dir.File("*.zzz").c_str());
    EXPECT_FALSE(none.IsValid());
    DirFileIterator deferred(dir.File("*.*").c_str(), true);
    EXPECT_FALSE(deferred.IsValid());
    EXPECT_EQ(0u, deferred.Error());
    int count = 0;
    for (deferred.Restart(); deferred.IsValid(); deferred.Next())
        if (!deferred.IsDots()) ++count;
    EXPECT_EQ(4, count);
    EXPECT_EQ(0u, deferred.Error());  // "no more files" reads as no error
}

namespace {
struct Rec : Node {
    explicit Rec(uint16_t v = 0, bool store = true) : v(v), store(store) {}
    bool ShouldStore() const override { return store; }
    int Save(owstream& os) const override { return WriteU16(os, v); }
    int Load(iwstream& is, int) override { return ReadU16(is, &v); }
    uint16_t v;
    bool store;
};
}  // namespace

TEST(ListStore, CountsOnlyStoredNodesAndStopsAtACutRecord) {
    List list;
    list.Append(new Rec(7));
    list.Append(new Rec(8, false));
    list.Append(new Rec(9));
    omwstream out;
    ASSERT_EQ(0, SaveList(out, list));
    EXPECT_EQ(std::string("\x02\x00\x07\x00\x09\x00", 6), std::string(out.Data(), out.Size()));

    List back;
    imwstream in(out.Data(), out.Size());
    EXPECT_EQ(2, LoadList(in, back, 1, [](iwstream&) { return new Rec; }));
    EXPECT_EQ(9, static_cast<Rec*>(back.Last())->v);

    List partial;
    imwstream cut(out.Data(), 5);  // the second record loses a byte
    EXPECT_EQ(-1, LoadList(cut, partial, 1, [](iwstream&) { return new Rec; }));
    EXPECT_EQ(1u, partial.Count());
}
