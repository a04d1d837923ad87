// The daily text logs: file names, the entry layout, and the collecting
// folders that name each object.
#include "watchlist/TextLog.h"

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/LocaleDates.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"

namespace {

const uint32_t kDec5Noon = 1039089600;  // 2002-12-05 12:00 UTC: the 5th in every time zone

ItemNode* Add(ItemNode& parent, const char* name, const char* address, uint16_t flags) {
    auto* n = new ItemNode;
    n->properties.name = name;
    n->properties.address = address;
    n->properties.flags = flags;
    parent.Append(n);
    return n;
}

TextLogSettings Settings(const TempDir& dir) {
    TextLogSettings s;
    s.userFolder = dir.Path();
    s.locale = 1049;
    s.now = kDec5Noon;
    s.largeChangeText = "Large change";
    s.framesChangedText = "Frames changed";
    return s;
}

// "***** ", the check's date and time as the locale writes them, three blanks.
std::string EntryHead(uint32_t time) {
    platform::LocalTime t = platform::ToLocalTime(time);
    return std::string("***** \r\n") + platform::FormatLocaleDate(1049, t).c_str() + ", " +
           platform::FormatLocaleTime(1049, t, false).c_str() + "   ";
}

}  // namespace

TEST(TextLogName, FiveCharactersOfTheNameAndTheDate) {
    platform::LocalTime dec5{2002, 12, 5, 12, 0, 0, 4};
    EXPECT_EQ("Weath051202.TXT", TextLogName("Weather report", dec5));
    EXPECT_EQ("Ab051202.TXT", TextLogName("Ab", dec5));
    EXPECT_EQ("051202.TXT", TextLogName("", dec5));
    EXPECT_EQ("a_b__010110.TXT",
              TextLogName("a/b:\\x", platform::LocalTime{2010, 1, 1, 0, 0, 0, 5}));
}

TEST(TextLog, ANewLogStartsWithTheAddressAndEachEntryFollows) {
    TempDir dir;
    ItemList list;
    ItemNode* page = Add(list, "Weather report", "http://weather.example/", kFlagTextLog);
    CheckNode check(kDec5Noon - 60);
    check.result = 1;
    check.changes.Append(new ChangeNode("Rain", "http://weather.example/rain"));
    check.changes.Append(new ChangeNode("", "only a link"));
    check.changes.Append(new ChangeNode("Snow", ""));
    AppendTextLog(*page, check, Settings(dir));

    std::string path = dir.File("Weath051202.TXT");
    std::string first =
        "http://weather.example/\n" + EntryHead(check.time) + "\r\nRain\r\nSnow\r\n";
    EXPECT_EQ(first, TempDir::Read(path));

    CheckNode large(kDec5Noon);
    large.result = 2;
    AppendTextLog(*page, large, Settings(dir));
    EXPECT_EQ(first + EntryHead(large.time) + "  Large change\r\n", TempDir::Read(path));
}

TEST(TextLog, WithoutItsFlagAnObjectWritesNoLog) {
    TempDir dir;
    ItemList list;
    ItemNode* page = Add(list, "Quiet", "http://q.example/", kFlagNewsTape);
    CheckNode check(kDec5Noon);
    AppendTextLog(*page, check, Settings(dir));
    EXPECT_FALSE(platform::FileExists(dir.File("Quiet051202.TXT").c_str()));
}

TEST(TextLog, ACollectingFolderLogsEveryChangedObjectBelowItByName) {
    TempDir dir;
    ItemList list;
    ItemNode* folder = Add(list, "Sources", "", kFlagNewsTape | kFlagTextLog);
    ItemNode* plain = Add(*folder, "Plain", "", kFlagTextLog);  // logs, but collects nothing
    ItemNode* page = Add(*plain, "", "http://a.example/", 0);
    page->title = "Page title";
    ItemNode* named = Add(*folder, "Named", "http://b.example/", kFlagTextLog);

    CheckNode check(kDec5Noon);
    check.result = 3;
    AppendTextLog(*page, check, Settings(dir));
    AppendTextLog(*named, check, Settings(dir));

    std::string head = EntryHead(check.time);
    EXPECT_EQ("\n" + head + "Page title  Frames changed\r\n" + head + "Named  Frames changed\r\n",
              TempDir::Read(dir.File("Sourc051202.TXT")));
    EXPECT_EQ("http://b.example/\n" + head + "  Frames changed\r\n",
              TempDir::Read(dir.File("Named051202.TXT")));
    EXPECT_FALSE(platform::FileExists(dir.File("Plain051202.TXT").c_str()));
}
