// Watch lists that are not what they claim: foreign headers, files cut at
// any byte, absurd counts and nesting. The reader keeps what it could read
// and never trusts a count.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "WatchListFixtures.h"
#include "WatchListIo.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

namespace {

// An empty folder record whose child count is `children`; the children (if
// any) follow it.
Bytes FolderHead(unsigned children) {
    return Bytes()
        .Str("").Str("")
        .Add(UncheckedDefaults())
        .U32(0).U16(0)
        .U16(0).Str("").U8(0)
        .U16(2).U16(0).U8(0).U8(0)
        .U16(children);
}

}  // namespace

TEST(WatchListDamage, OneChangedHeaderByteGivesAnEmptyListThatSavesAsEmpty) {
    for (size_t at : {0u, 6u, 20u, 21u}) {
        std::string file = Version10File();
        file[at] ^= 0x20;
        ItemList list;
        auto* old = new ItemNode;
        list.Append(old);
        EXPECT_EQ(-1, LoadWatchList(list, file)) << at;
        EXPECT_TRUE(list.IsEmpty()) << at;
        EXPECT_EQ(WatchListHeader(10).U16(0).str(), SavedWatchList(list));
    }
}

TEST(WatchListDamage, AFileCutAtAnyByteKeepsTheTopLevelObjectsBeforeTheCut) {
    const std::string file = Version10File();
    const size_t firstEnd = WatchListHeader(10).U16(2).Add(NewsFolder()).size();
    for (size_t cut = 0; cut < file.size(); ++cut) {
        ItemList list;
        int r = LoadWatchList(list, file.substr(0, cut));
        EXPECT_NE(0, r) << cut;
        size_t expected = cut < firstEnd ? 0 : 1;
        ASSERT_EQ(expected, list.Count()) << cut;
        if (expected) {
            EXPECT_EQ(2u, Top(list, 0)->Count()) << cut;
        }
    }
}

TEST(WatchListDamage, ACountBeyondTheDataStopsAtTheEnd) {
    ItemList list;
    long before = ItemNode::LiveCount();
    std::string file = WatchListHeader(10).U16(65535).Add(FolderHead(0)).Add(FolderHead(65535)).str();
    EXPECT_NE(0, LoadWatchList(list, file));
    EXPECT_EQ(1u, list.Count());
    EXPECT_EQ(before + 1, ItemNode::LiveCount());
}

TEST(WatchListDamage, NestingDeeperThanTheLimitIsRefusedWithoutExhaustingTheStack) {
    Bytes file = WatchListHeader(10).U16(2).Add(FolderHead(0));
    const int depth = 20000;
    for (int i = 0; i < depth; ++i) file.Add(FolderHead(1));
    file.Add(FolderHead(0));
    ItemList list;
    EXPECT_NE(0, LoadWatchList(list, file.str()));
    EXPECT_EQ(1u, list.Count());

    Bytes framed = WatchListHeader(10).U16(1)
                       .Str("").Str("http://deep.example/")
                       .Add(UncheckedDefaults())
                       .U32(0).U16(0)
                       .U16(0).Str("").U8(0)
                       .U16(2).U16(0).U8(0).U8(1);
    for (int i = 0; i < depth; ++i) framed.Add(Frame("", "", "", 0, 0, 1));
    ItemList frames;
    EXPECT_NE(0, LoadWatchList(frames, framed.str()));
    EXPECT_TRUE(frames.IsEmpty());
}

TEST(WatchListDamage, NestingUpToTheLimitLoadsAndSavesAgain) {
    Bytes file = WatchListHeader(10).U16(1);
    for (int i = 0; i < kMaxTreeDepth; ++i) file.Add(FolderHead(1));
    file.Add(FolderHead(0));
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    EXPECT_EQ(file.str(), SavedWatchList(list));
}

TEST(WatchListDamage, AVersionAboveTenIsReadWithTheNewestLayout) {
    std::string file = Version10File();
    file[22] = 11;
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file));
    EXPECT_EQ(11, list.LoadedVersion());
    EXPECT_EQ("mailto:a:b@c", Child(*Top(list, 0), 1)->properties.address);
}

TEST(WatchListDamage, VersionOneFramesHaveNoCharacterSetByte) {
    Bytes file = WatchListHeader(1).U16(1)
                     .Str("").Str("http://x.example/")
                     .U32(0).U32(0).U8(0)
                     .Str("").U8(2).I16(10)
                     .I16(-1).U8(0).I16(-1).Str("")
                     .U8(255).Str("")
                     .Str("")
                     .Str("").U8(0)
                     .U16(2).U16(0).U8(5)
                     .U8(1).Str("").Str("").Str("").Str("OV000004").U16(1)
                     .Str("a").Str("a.htm").Str("").Str("OV000005").U16(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    const ItemNode* page = Top(list, 0);
    EXPECT_EQ(5, page->copyCharset);
    EXPECT_EQ(0, page->copyNumber);  // an empty copy name: no copy
    ASSERT_TRUE(page->frames);
    EXPECT_EQ(5, page->frames->copyNumber);
    EXPECT_EQ(6, page->frames->FirstFrame()->copyNumber);
}
// clang-format on
