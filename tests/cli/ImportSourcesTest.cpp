// Importing from the other kinds of source: a folder of Internet shortcuts
// and the links of a page become new objects with the default properties;
// an unreadable source or an unknown kind imports nothing.
#include <gtest/gtest.h>

#include <string>

#include "cli/CliProcess.h"
#include "platform/Files.h"

namespace {

using nlohmann::json;

TEST_F(CliTest, ShortcutFolderAndPageLinksBecomeObjectsWithTheDefaults) {
    ASSERT_EQ(0, Cli({"options", "Default.timedelta=7200"}).status);
    TempDir source;
    ASSERT_TRUE(platform::MakeDirectory(source.File("Links").c_str()));
    ASSERT_TRUE(platform::MakeDirectory(source.File("Links/Weather").c_str()));
    source.Write("Links/Weather/Rain.url", "[InternetShortcut]\r\nURL=http://rain.test/#today\r\n");
    CliOutcome folder = Cli({"import", source.File("Links"), "--from", "folder"});
    ASSERT_EQ(0, folder.status) << folder.err;
    json listed = CliJson({"list"});
    const json* rain = FindListed(listed["objects"], "Weather/Rain");
    ASSERT_NE(nullptr, rain) << listed.dump();
    EXPECT_EQ("http://rain.test/", (*rain)["address"]);
    EXPECT_EQ(7200, (*rain)["timedelta"]);

    std::string page = source.Write("page.html",
                                    "<a href=\"http://one.test/\">1</a> <a href='http://one.test/'>"
                                    "again</a> HTTP://two.test/x");
    ASSERT_EQ(0, Cli({"add-folder", "Found"}).status);
    CliOutcome links = Cli({"import", page, "--from", "page", "--in", "Found"});
    ASSERT_EQ(0, links.status) << links.err;
    listed = CliJson({"list"});
    EXPECT_NE(nullptr, FindListed(listed["objects"], "Found/http://one.test/"));
    EXPECT_NE(nullptr, FindListed(listed["objects"], "Found/HTTP://two.test/x"));
    const json* found = FindListed(listed["objects"], "Found");
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(2u, (*found)["children"].size()) << "a link found twice is imported once";
}

TEST_F(CliTest, UnreadableSourcesAndUnknownKindsImportNothing) {
    ASSERT_EQ(0, Cli({"add", "http://kept.test/"}).status);
    dir.Write("bad.trv", "not a tree file at all, not even close to one");
    EXPECT_EQ(2, Cli({"import", dir.File("bad.trv"), "--from", "trovik"}).status);
    EXPECT_EQ(2, Cli({"import", dir.File("missing.html"), "--from", "page"}).status);
    EXPECT_EQ(1, Cli({"import", dir.File("bad.trv"), "--from", "bookmarks"}).status);
    EXPECT_EQ(1, Cli({"import", "--from", "page"}).status) << "a page needs its file";
    EXPECT_EQ(1u, CliJson({"list"})["objects"].size());
}

}  // namespace
