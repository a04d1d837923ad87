// The import dialog's own stream, built byte by byte and written back; the
// watch list's stream of the same clipboard name is refused and the other
// way round; the list made from the dialog's tree carries on its objects.
#include <gtest/gtest.h>

#include <string>

#include "import/ImportApply.h"
#include "watchlist/HeldEvents.h"
#include "import/ImportRecords.h"
#include "watchlist/Bytes.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemList.h"
#include "watchlist/WatchListIo.h"

namespace {

// A properties record of the current layout with a name and an address.
Bytes Properties(const std::string& name, const std::string& address) {
    return Bytes()
        .Str(name)
        .Str(address)
        .Add(UncheckedDefaults())
        .U32(0x00FFFF00)  // colour
        .U16(10);         // flags
}

TEST(ImportRecords, ByteBuiltStreamReadsAndWritesBackTheSame) {
    Bytes stream;
    stream.U8(0)
        .Add(Properties("", ""))
        .U16(2)  // the root, two entries
        .U8(1)
        .Add(Properties("Folder", ""))
        .U16(1)  // a folder with
        .U8(0)
        .Add(Properties("Page", "http://p.example/"))
        .U16(0)  // one page
        .U8(1)
        .Add(Properties("Box", "news:group.example"))
        .U16(0);
    ImportNode into;
    ASSERT_EQ(2u, ReadImportRecords(stream.str().data(), stream.size(), into));
    const ImportNode* folder = into.FirstEntry();
    EXPECT_TRUE(folder->hasProperties);
    ASSERT_TRUE(folder->FirstEntry());
    EXPECT_FALSE(folder->FirstEntry()->hasProperties);
    EXPECT_STREQ("http://p.example/", folder->FirstEntry()->properties.address.c_str());
    EXPECT_EQ(10, folder->properties.flags);

    std::string written = ImportRecordBytes({{folder, true}, {folder->NextEntry(), true}});
    EXPECT_EQ(stream.str(), written);
    ImportNode box(ItemProperties(), "Box", "mailto:me:secret@pop.example:995");
    std::string mailbox = ImportRecordBytes({{&box, true}});
    EXPECT_EQ(std::string::npos, mailbox.find("secret")) << "stored as the watch list stores it";
    ImportNode boxBack;
    ASSERT_EQ(1u, ReadImportRecords(mailbox.data(), mailbox.size(), boxBack));
    EXPECT_STREQ("mailto:me:secret@pop.example:995",
                 boxBack.FirstEntry()->properties.address.c_str());
    std::string alone = ImportRecordBytes({{folder, false}});
    ImportNode back;
    ASSERT_EQ(1u, ReadImportRecords(alone.data(), alone.size(), back));
    EXPECT_FALSE(back.FirstEntry()->HasChildren()) << "an entry copied alone";
}

TEST(ImportRecords, DamagedOrForeignBytesInsertNothing) {
    ImportNode entry(ItemProperties(), "Page", "http://p.example/");
    std::string good = ImportRecordBytes({{&entry, true}});
    ImportNode into;
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_EQ(0u, ReadImportRecords(good.data(), cut, into)) << cut;
    EXPECT_EQ(0u, ReadImportRecords((good + "x").data(), good.size() + 1, into));
    std::string flag = good;
    flag[0] = 2;
    EXPECT_EQ(0u, ReadImportRecords(flag.data(), flag.size(), into));

    // The main window's stream shares the clipboard name, not the layout.
    ItemList list;
    AddPage(list, 1, "http://w.example/");
    std::string watchList = SavedWatchList(list);
    EXPECT_EQ(0u, ReadImportRecords(watchList.data(), watchList.size(), into));
    EXPECT_FALSE(into.HasChildren());
    ItemList other;
    EXPECT_NE(0, LoadWatchList(other, good));
    EXPECT_FALSE(other.HasChildren());
}

TEST(ImportApply, ObjectsCarryOnAndNewEntriesStartUnchecked) {
    ItemList list;
    ItemNode* page = AddPage(list, 7, "http://kept.example/");
    page->checks.Append(new CheckNode);
    page->state = kCheckFailed;
    page->lastError = 12029;
    page->title = "Kept";
    ImportNode left;
    FillFromWatchList(list, left);
    ASSERT_EQ(page, left.FirstEntry()->sourceObject);
    left.Prepend(new ImportNode(ItemProperties(), "New", "http://new.example/#x"));

    ItemList rebuilt;
    BuildImportedList(left, rebuilt);
    ItemNode* fresh = rebuilt.FirstItem();
    ItemNode* kept = fresh->NextItem();
    EXPECT_STREQ("http://new.example/", fresh->properties.address.c_str());
    EXPECT_TRUE(fresh->neverChecked);
    EXPECT_EQ(0, fresh->copyNumber);
    EXPECT_EQ(7, kept->copyNumber);
    EXPECT_EQ(1u, kept->checks.Count());
    EXPECT_EQ(0u, page->checks.Count()) << "the records moved, not copied";
    EXPECT_EQ(0, page->copyNumber) << "the old object gave up its stored copy";
    EXPECT_EQ(12029, kept->lastError);
    EXPECT_STREQ("Kept", kept->title.c_str());
}

TEST(ImportApply, NewEntriesHoldTheirProgramEventsOnlyWhenAskedAndKeptObjectsKeepTheirs) {
    ItemList list;
    ItemNode* page = AddPage(list, 3, "http://kept.example/");
    page->properties.event.type = kEventRunProgram;
    page->properties.event.param = "kept.exe";
    ImportNode left;
    FillFromWatchList(list, left);
    auto* folder = new ImportNode(ItemProperties(), "Folder", "");
    auto* runs = new ImportNode(ItemProperties(), "Runs", "http://runs.example/");
    runs->properties.event.type = kEventRunProgram;
    runs->properties.event.param = "notify.exe";
    folder->Append(runs);
    left.Append(folder);

    ItemList plain;
    BuildImportedList(left, plain);
    EXPECT_EQ(kEventRunProgram,
              static_cast<ItemNode*>(plain.Last())->FirstItem()->properties.event.type)
        << "without a list to report to, the caller holds them";

    ImportNode again;
    ItemList list2;
    ItemNode* page2 = AddPage(list2, 4, "http://kept.example/");
    page2->properties.event.type = kEventRunProgram;
    FillFromWatchList(list2, again);
    again.Append(runs->Copy(false).release());
    ItemList rebuilt;
    std::vector<ItemNode*> held;
    BuildImportedList(again, rebuilt, &held);
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ(rebuilt.Last(), held[0]);
    EXPECT_TRUE(IsHeldProgramEvent(held[0]->properties.event));
    EXPECT_STREQ("notify.exe", held[0]->properties.event.param.c_str());
    EXPECT_EQ(kEventRunProgram, rebuilt.FirstItem()->properties.event.type)
        << "an object of the list was confirmed before";
}

TEST(ImportNode, ProtectedObjectsAnywhereBelowAndTheShownText) {
    ItemList list;
    ItemNode* folder = AddPage(list, 0, "");
    ItemNode* page = AddPage(*folder, 1, "http://p.example/");
    ImportNode left;
    FillFromWatchList(list, left);
    EXPECT_FALSE(left.FirstEntry()->HoldsProtected());
    page->properties.flags |= kFlagProtected;
    EXPECT_TRUE(left.FirstEntry()->HoldsProtected());

    ImportNode box(ItemProperties(), "", "mailto:me:pw@pop.example:110");
    EXPECT_STREQ("pop.example", box.Text().c_str());
    ImportNode bare(ItemProperties(), "", "http://bare.example/");
    EXPECT_STREQ("http://bare.example/", bare.Text().c_str());
}

}  // namespace
