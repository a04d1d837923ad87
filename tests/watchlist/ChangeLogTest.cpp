// The change log: one positional block per node of the watch list, check
// and change records, version rules and damaged logs.
#include <gtest/gtest.h>

#include <memory>

#include "Bytes.h"
#include "framework/Cp1251.h"
#include "WatchListFixtures.h"
#include "WatchListIo.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

namespace {

Bytes Check(uint32_t time, unsigned result, unsigned expanded, unsigned changes) {
    return Bytes().U32(time).U8(result).U8(expanded).U16(changes);
}

// The change log written with Version10File: root, folder, page, mailbox,
// framed page.
Bytes ChangeLog10() {
    return ChangeLogHeader(10)
        .U8(0).U32(0)                                   // the root
        .U8(0).U32(0)                                   // folder "News"
        .U8(1).U32(1039089600).U16(2)                   // page: unseen, two checks
        .Add(Check(1039089600, 1, 1, 2))
        .Str("Rain at noon").Str("")
        .Str("Radar").Str("http://weather.example/radar")
        .Add(Check(1039000000, 0, 0, 0))
        .U8(0).U32(777).U16(1)                          // mailbox
        .Add(Check(777, 1, 0, 1)).Str("Hello\nWorld").Str("mailto:friend@example.org")
        .U8(0).U32(1000).U16(1)                         // framed page: structure changed
        .Add(Check(1000, 3, 1, 0));
}

std::unique_ptr<ItemList> LoadedList() {
    auto list = std::make_unique<ItemList>();
    EXPECT_EQ(0, LoadWatchList(*list, Version10File()));
    return list;
}

}  // namespace

TEST(ChangeLog, LoadsChecksAndChangesByPosition) {
    auto list = LoadedList();
    ASSERT_EQ(0, LoadChanges(*list, ChangeLog10().str()));
    ItemNode* folder = Top(*list, 0);
    ItemNode* page = Child(*folder, 0);
    ItemNode* mailbox = Child(*folder, 1);
    ASSERT_EQ(2u, page->checks.Count());
    const CheckNode* newest = page->checks.First();
    EXPECT_EQ(1039089600u, newest->time);
    EXPECT_EQ(1, newest->result);
    EXPECT_TRUE(newest->expanded);
    ASSERT_EQ(2u, newest->changes.Count());
    EXPECT_EQ("Rain at noon", newest->changes.First()->text);
    EXPECT_EQ("http://weather.example/radar", newest->changes.Last()->link);
    EXPECT_EQ(0, newest->NextCheck()->result);
    EXPECT_FALSE(newest->NextCheck()->expanded);
    EXPECT_EQ(777u, mailbox->properties.lastCheck);
    EXPECT_EQ("Hello\nWorld", mailbox->checks.First()->changes.First()->text);
    EXPECT_EQ(3, Top(*list, 1)->checks.First()->result);
    EXPECT_EQ(1000u, Top(*list, 1)->properties.lastCheck);
    EXPECT_TRUE(folder->checks.IsEmpty());
}

TEST(ChangeLog, UnseenFlagsSetTheMarksAndTheFoldersAreRecomputed) {
    auto list = LoadedList();
    ItemNode* folder = Top(*list, 0);
    Child(*folder, 0)->marks = kMarkSwitchedOn;  // the log says unseen
    Child(*folder, 1)->marks = kMarkBits;        // the log says seen
    ASSERT_EQ(0, LoadChanges(*list, ChangeLog10().str()));
    EXPECT_EQ(kMarkBits, Child(*folder, 0)->marks);
    EXPECT_EQ(kMarkSwitchedOn, Child(*folder, 1)->marks);
    EXPECT_EQ(kMarkBits, folder->derivedMarks);
    EXPECT_EQ(1, list->CountNewChanges());
}

TEST(ChangeLog, SavingGivesTheSameBytesBack) {
    auto list = LoadedList();
    ASSERT_EQ(0, LoadChanges(*list, ChangeLog10().str()));
    EXPECT_EQ(ChangeLog10().str(), SavedChanges(*list));
}

TEST(ChangeLog, AnOldLogInTheWorkingCodePageLoadsAndShowsTheSame) {
    // Written before pages outside the Cyrillic encodings were kept as
    // UTF-8: texts in 1251, a link with the `&amp;` of its markup.
    const char rain[] = "\xC4\xEE\xE6\xE4\xFC \xE2 \xEF\xEE\xEB\xE4\xE5\xED\xFC";
    Bytes log = ChangeLogHeader(10)
                    .U8(0).U32(0)
                    .U8(0).U32(0)
                    .U8(0).U32(1039089600).U16(1)
                    .Add(Check(1039089600, 1, 0, 2))
                    .Str(rain).Str("http://h/a?x=1&amp;y=2")
                    .Str("Caf\xE9").Str("")
                    .U8(0).U32(0).U16(0)
                    .U8(0).U32(0).U16(0);
    auto list = LoadedList();
    ASSERT_EQ(0, LoadChanges(*list, log.str()));
    const CheckNode* check = Child(*Top(*list, 0), 0)->checks.First();
    ASSERT_NE(nullptr, check);
    const ChangeNode* first = check->changes.First();
    EXPECT_EQ(rain, first->text);
    EXPECT_EQ("Дождь в полдень", cp1251::ForDisplay(first->text.c_str()));
    EXPECT_EQ("http://h/a?x=1&amp;y=2", first->link);
    EXPECT_EQ("Cafй", cp1251::ForDisplay(first->NextChange()->text.c_str()));  // as it always read
    EXPECT_EQ(log.str(), SavedChanges(*list));
}

TEST(ChangeLog, VersionNineHasNoCheckTimes) {
    Bytes log = ChangeLogHeader(9)
                    .U8(0).U8(0)
                    .U8(1).U16(1).Add(Check(50, 2, 0, 1)).Str("x").Str("")
                    .U8(0).U16(0)
                    .U8(0).U16(0);
    auto list = LoadedList();
    ASSERT_EQ(0, LoadChanges(*list, log.str()));
    ItemNode* page = Child(*Top(*list, 0), 0);
    EXPECT_EQ(1039089600u, page->properties.lastCheck);  // kept from the watch list
    EXPECT_EQ(2, page->checks.First()->result);
}

TEST(ChangeLogDamage, AForeignHeaderReadsNothing) {
    std::string log = ChangeLog10().str();
    log[3] = 'X';
    auto list = LoadedList();
    ItemNode* page = Child(*Top(*list, 0), 0);
    page->marks = kMarkSwitchedOn;
    EXPECT_EQ(-1, LoadChanges(*list, log));
    EXPECT_TRUE(page->checks.IsEmpty());
    EXPECT_EQ(kMarkSwitchedOn, page->marks);
    EXPECT_EQ(kMarkBits, Top(*list, 0)->derivedMarks);  // as the watch list gave it
}

TEST(ChangeLogDamage, ALogForASmallerTreeStopsAndLeavesTheRestWithoutChecks) {
    Bytes log = ChangeLogHeader(10)
                    .U8(0).U32(0)
                    .U8(0).U32(0)
                    .U8(0).U32(5).U16(1).Add(Check(5, 1, 0, 0));
    auto list = LoadedList();
    EXPECT_NE(0, LoadChanges(*list, log.str()));
    EXPECT_EQ(1u, Child(*Top(*list, 0), 0)->checks.Count());
    EXPECT_TRUE(Child(*Top(*list, 0), 1)->checks.IsEmpty());
    EXPECT_TRUE(Top(*list, 1)->checks.IsEmpty());
}

TEST(ChangeLogDamage, CutAtAnyByteKeepsTheChecksReadWhole) {
    const std::string log = ChangeLog10().str();
    for (size_t cut = 0; cut < log.size(); ++cut) {
        auto list = LoadedList();
        EXPECT_NE(0, LoadChanges(*list, log.substr(0, cut))) << cut;
        for (const CheckNode* c = Child(*Top(*list, 0), 0)->checks.First(); c; c = c->NextCheck())
            EXPECT_EQ(1039u, c->time / 1000000) << cut;
    }
}

TEST(ChangeLogDamage, AbsurdCountsStopAtTheEndOfTheData) {
    Bytes log = ChangeLogHeader(10)
                    .U8(0).U32(0)
                    .U8(0).U32(0)
                    .U8(0).U32(5).U16(65535).Add(Check(5, 1, 0, 65535)).Str("only one");
    auto list = LoadedList();
    EXPECT_NE(0, LoadChanges(*list, log.str()));
    EXPECT_TRUE(Child(*Top(*list, 0), 0)->checks.IsEmpty());
}

TEST(TrimChecks, ByCountKeepsDelparamChecksAndAlwaysTheNewest) {
    ItemNode page;
    page.properties.address = "http://x.example/";
    page.properties.deltype = kDeleteByCount;
    page.properties.delparam = 10;
    for (uint32_t t = 1; t <= 11; ++t) page.checks.Prepend(new CheckNode(t));
    int dropped = 0;
    TrimChecks(page, 100, [&](CheckNode& c) {
        EXPECT_EQ(1u, c.time);
        ++dropped;
    });
    EXPECT_EQ(1, dropped);
    EXPECT_EQ(10u, page.checks.Count());
    EXPECT_EQ(11u, page.checks.First()->time);
    EXPECT_EQ(2u, page.checks.Last()->time);

    page.properties.delparam = 0;
    TrimChecks(page, 100);
    ASSERT_EQ(1u, page.checks.Count());
    EXPECT_EQ(11u, page.checks.First()->time);
}

TEST(TrimChecks, ByAgeDropsChecksExactlyDelparamOldButNotTheNewest) {
    ItemNode page;
    page.properties.address = "http://x.example/";
    page.properties.deltype = kDeleteByAge;
    page.properties.delparam = 3600;
    const uint32_t now = 100000;
    for (uint32_t t : {now - 7200, now - 3600, now - 3599, now}) page.checks.Prepend(new CheckNode(t));
    TrimChecks(page, now);
    ASSERT_EQ(2u, page.checks.Count());
    EXPECT_EQ(now - 3599, page.checks.Last()->time);

    ItemNode old;
    old.properties.deltype = kDeleteByAge;
    old.properties.delparam = 3600;
    old.checks.Prepend(new CheckNode(1));
    old.checks.Prepend(new CheckNode(2));
    TrimChecks(old, now);
    ASSERT_EQ(1u, old.checks.Count());
    EXPECT_EQ(2u, old.checks.First()->time);
}

TEST(TrimChecks, KeepAllAndUnknownRulesKeepEverything) {
    for (uint8_t rule : {uint8_t{kKeepAll}, uint8_t{7}}) {
        ItemNode page;
        page.properties.deltype = rule;
        page.properties.delparam = 0;
        for (uint32_t t = 1; t <= 5; ++t) page.checks.Prepend(new CheckNode(t));
        TrimChecks(page, 1000000);
        EXPECT_EQ(5u, page.checks.Count());
    }
}
// clang-format on
