// The watch list file, byte by byte: a version-10 file with a folder, a
// page, a mailbox and a framed page, and the rules for older versions.
#include <gtest/gtest.h>

#include "Bytes.h"
#include "WatchListFixtures.h"
#include "WatchListIo.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

TEST(WatchListVersion10, LoadsEveryField) {
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, Version10File()));
    EXPECT_EQ(10, list.LoadedVersion());
    ASSERT_EQ(2u, list.Count());

    ItemNode* folder = Top(list, 0);
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_EQ("News", folder->properties.name);
    EXPECT_EQ(6, folder->properties.flags);
    EXPECT_TRUE(folder->expanded);
    EXPECT_EQ(2, folder->marks);
    EXPECT_EQ(3, folder->derivedMarks);
    ASSERT_EQ(2u, folder->Count());

    const ItemNode* page = Child(*folder, 0);
    const ItemProperties& p = page->properties;
    EXPECT_FALSE(page->IsFolder());
    EXPECT_FALSE(page->IsMailbox());
    EXPECT_EQ("Weather report", p.name);
    EXPECT_EQ("http://weather.example/today", p.address);
    EXPECT_EQ(21600u, p.timedelta);
    EXPECT_EQ(1039089600u, p.lastCheck);
    EXPECT_EQ(1, p.modify);
    EXPECT_EQ("rain", p.keywords);
    EXPECT_EQ(1, p.deltype);
    EXPECT_EQ(3600, p.delparam);
    EXPECT_EQ(2, p.minchanged);
    EXPECT_EQ(1, p.skipchanges);
    EXPECT_EQ(10, p.skipnumchars);
    EXPECT_EQ("ads", p.skipkeywords);
    EXPECT_EQ(kEventSound, p.event.type);
    EXPECT_EQ("ding.wav", p.event.param);
    EXPECT_EQ(0x000000FFu, p.color);
    EXPECT_EQ(13, p.flags);
    EXPECT_EQ(7, page->copyNumber);
    EXPECT_EQ("Weather today", page->title);
    EXPECT_FALSE(page->expanded);
    EXPECT_EQ(3, page->marks);
    EXPECT_EQ(0, page->derivedMarks);
    EXPECT_EQ(1, page->copyCharset);
    EXPECT_FALSE(page->frames);

    const ItemNode* mailbox = Child(*folder, 1);
    EXPECT_TRUE(mailbox->IsMailbox());
    EXPECT_EQ("mailto:a:b@c", mailbox->properties.address);
    EXPECT_EQ(8, mailbox->copyNumber);
    EXPECT_EQ("c", mailbox->DisplayName());

    const ItemNode* framed = Top(list, 1);
    EXPECT_EQ(9, framed->copyNumber);
    EXPECT_EQ(4, framed->copyCharset);
    ASSERT_TRUE(framed->frames);
    const _HtmlFrameNode& root = *framed->frames;
    EXPECT_EQ("http://frames.example/", root.base);
    ASSERT_EQ(2u, root.Count());
    const _HtmlFrameNode* left = root.FirstFrame();
    const _HtmlFrameNode* main = left->NextFrame();
    EXPECT_EQ("left", left->name);
    EXPECT_EQ("left.html", left->source);
    EXPECT_EQ("left.html", left->sourceCopy);
    EXPECT_EQ(10, left->copyNumber);
    EXPECT_EQ(1, left->copyCharset);
    EXPECT_EQ("main", main->name);
    EXPECT_EQ(11, main->copyNumber);
    EXPECT_EQ(3, main->copyCharset);
}

TEST(WatchListVersion10, SavingTheLoadedFileGivesTheSameBytes) {
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, Version10File()));
    EXPECT_EQ(Version10File(), SavedWatchList(list));
}

TEST(WatchListWriting, ScramblesMailboxesMasksMarksAndCutsLongStrings) {
    ItemList list;
    auto* mailbox = new ItemNode;
    mailbox->properties.address = "mailto:abc";
    mailbox->marks = 0xFFFF;
    mailbox->derivedMarks = 0x0005;
    mailbox->properties.name = std::string(70000, 'n').c_str();
    list.Append(mailbox);
    std::string bytes = SavedWatchList(list);

    Bytes expected = WatchListHeader(10).U16(1)
                         .Str(std::string(65534, 'n')).Str("mailto:MHMIMJ")
                         .Add(UncheckedDefaults())
                         .U32(0x00FFFF00).U16(10)
                         .U16(0).Str("").U8(0)
                         .U16(3).U16(1).U8(0).U8(0)
                         .U16(0);
    EXPECT_EQ(expected.str(), bytes);

    ItemList back;
    ASSERT_EQ(0, LoadWatchList(back, bytes));
    EXPECT_EQ("mailto:abc", Top(back, 0)->properties.address);
    EXPECT_EQ(65534u, Top(back, 0)->properties.name.Length());
}

TEST(WatchListWriting, AnUpperCaseMailtoIsAPageAndIsNotScrambled) {
    ItemList list;
    auto* page = new ItemNode;
    page->properties.address = "MAILTO:abc";
    list.Append(page);
    EXPECT_FALSE(page->IsMailbox());
    EXPECT_NE(std::string::npos, SavedWatchList(list).find("MAILTO:abc"));
}

// Older versions, each a single object record.

TEST(WatchListVersion2, ShortDelparamOldCopyNameAndDefaults) {
    Bytes file = WatchListHeader(2).U16(1)
                     .Str("Old").Str("old.example/page")
                     .U32(600).U32(5).U8(1)
                     .Str("").U8(2).I16(-1)           // delparam: two bytes
                     .I16(-1).U8(0).I16(-1).Str("")
                     .U8(1).Str("")                   // no colour, no flags
                     .Str("OV000041")                 // stored copy name instead of a number
                     .Str("T").U8(1)
                     .U16(2).U16(0).U8(3).U8(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    ItemNode* page = Top(list, 0);
    EXPECT_EQ(-1, page->properties.delparam);
    EXPECT_EQ(42, page->copyNumber);
    EXPECT_EQ(0x00FFFF00u, page->properties.color);
    EXPECT_EQ(kFlagNewsTape | kFlagTables, page->properties.flags);
    EXPECT_EQ("http://old.example/page", page->properties.address);  // normalised (version < 6)
    EXPECT_EQ(3, page->copyCharset);
    EXPECT_TRUE(page->expanded);
}

TEST(WatchListVersion2, AnEmptyAddressStaysAFolderWithTheNewsTapeFlag) {
    Bytes file = WatchListHeader(2).U16(1)
                     .Str("Folder").Str("")
                     .U32(0).U32(0).U8(0)
                     .Str("").U8(2).I16(10)
                     .I16(-1).U8(0).I16(-1).Str("")
                     .U8(255).Str("")
                     .Str("")
                     .Str("").U8(0)
                     .U16(2).U16(0).U8(0).U8(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    ItemNode* folder = Top(list, 0);
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_EQ(0, folder->copyNumber);
    EXPECT_TRUE(folder->properties.flags & kFlagNewsTape);
}

TEST(WatchListVersion3, FourByteDelparamAndTheCopyNameGiving42) {
    Bytes file = WatchListHeader(3).U16(1)
                     .Str("").Str("http://example.org/")
                     .U32(0).U32(0).U8(0)
                     .Str("").U8(2).U32(70000)
                     .I16(-1).U8(0).I16(-1).Str("")
                     .U8(255).Str("")
                     .Str("OV000041")
                     .Str("").U8(0)
                     .U16(2).U16(0).U8(0)
                     .U8(1)                                   // frames, old layout:
                     .Str("").Str("").Str("http://example.org/").Str("OV000099").U8(0).U16(1)
                     .Str("f").Str("f.html").Str("").Str("OV000100").U8(2).U16(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    ItemNode* page = Top(list, 0);
    EXPECT_EQ(70000, page->properties.delparam);
    EXPECT_EQ(42, page->copyNumber);
    ASSERT_TRUE(page->frames);
    EXPECT_EQ(100, page->frames->copyNumber);
    EXPECT_EQ(101, page->frames->FirstFrame()->copyNumber);
    EXPECT_EQ("f.html", page->frames->FirstFrame()->source);
    EXPECT_EQ(2, page->frames->FirstFrame()->copyCharset);
}

TEST(WatchListVersion6, MailboxesAreNotScrambledAndFoldersGetTheNewsTapeFlag) {
    Bytes file = WatchListHeader(6).U16(2)
                     .Str("Mail").Str("mailto:user:pw@pop.example:110")
                     .Add(UncheckedDefaults())
                     .U16(kFlagTextLog)                       // flags (from version 5), no colour
                     .U16(3).Str("").U8(0)
                     .U16(2).U16(0).U8(0).U8(0)
                     .U16(0)
                     .Str("Folder").Str("")
                     .Add(UncheckedDefaults())
                     .U16(0)
                     .U16(0).Str("").U8(0)
                     .U16(2).U16(0).U8(0).U8(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    ItemNode* mailbox = Top(list, 0);
    EXPECT_EQ("mailto:user:pw@pop.example:110", mailbox->properties.address);
    EXPECT_EQ(kFlagTextLog, mailbox->properties.flags);
    EXPECT_EQ(0x00FFFF00u, mailbox->properties.color);
    EXPECT_EQ(kFlagNewsTape, Top(list, 1)->properties.flags);
}

TEST(WatchListVersion8, ColourIsReadAndOddScrambledTextGivesAnEmptyMailbox) {
    Bytes file = WatchListHeader(8).U16(2)
                     .Str("").Str("mailto:MHMIM")             // odd number of letters
                     .Add(UncheckedDefaults())
                     .U32(0x00123456).U16(10)
                     .U16(1).Str("").U8(0)
                     .U16(2).U16(0).U8(0).U8(0)
                     .U16(0)
                     .Str("").Str("")
                     .Add(UncheckedDefaults())
                     .U32(0).U16(0)
                     .U16(0).Str("").U8(0)
                     .U16(2).U16(0).U8(0).U8(0)
                     .U16(0);
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file.str()));
    EXPECT_EQ("mailto:", Top(list, 0)->properties.address);
    EXPECT_EQ(0x00123456u, Top(list, 0)->properties.color);
    EXPECT_EQ(kFlagNewsTape, Top(list, 1)->properties.flags);  // folder before version 9
}

TEST(WatchListReading, HttpSlashSlashAloneReadsAsAFolder) {
    std::string file = Version10File();
    std::string from = Bytes().Str("http://weather.example/today").str();
    file.replace(file.find(from), from.size(), Bytes().Str("http://").str());
    ItemList list;
    ASSERT_EQ(0, LoadWatchList(list, file));
    EXPECT_TRUE(Child(*Top(list, 0), 0)->IsFolder());
}
// clang-format on
