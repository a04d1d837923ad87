// The outside sources of the import dialog: the links of a page read block
// by block, a folder of Internet shortcuts, an export file, and the kinds
// that choose between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "import/LoadSource.h"
#include "import/SourceReaders.h"
#include "platform/Files.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/WatchListIo.h"

namespace {

// A reader that hands out the text in blocks of at most `block` bytes and
// fails with `error` once `failAt` bytes are out (never when negative).
BlockReader Blocks(const std::string& text, long block, long failAt = -1, uint32_t error = 0) {
    auto at = std::make_shared<long>(0);
    return [=](char* buffer, long capacity, uint32_t* code) -> long {
        if (failAt >= 0 && *at >= failAt) {
            *code = error;
            return -1;
        }
        long n = std::min({block, capacity, static_cast<long>(text.size()) - *at});
        std::memcpy(buffer, text.data() + *at, static_cast<size_t>(n));
        *at += n;
        return n;
    };
}

std::vector<std::string> Names(const ImportNode& root) {
    std::vector<std::string> out;
    for (const ImportNode* e = root.FirstEntry(); e; e = e->NextEntry())
        out.push_back(e->properties.name.c_str());
    return out;
}

TEST(PageLinks, EachLinkOnceUpToItsSeparatorWithoutRegardToCase) {
    std::string page =
        "<a href=\"http://a.example/one\">1</a> Http://b.example/two,x 'hTTp://c.example/3'\n"
        "<!-- http://a.example/one --> HTTP://d.example/tab\tend http://e.example/cr\rhttp:/no";
    ImportNode into;
    EXPECT_EQ(0u, ExtractPageLinks(Blocks(page, 4096), into, ItemProperties()));
    std::vector<std::string> want = {"http://a.example/one", "Http://b.example/two",
                                     "hTTp://c.example/3", "HTTP://d.example/tab",
                                     "http://e.example/cr"};
    EXPECT_EQ(want, Names(into));
    EXPECT_STREQ("Http://b.example/two",
                 into.FirstEntry()->NextEntry()->properties.address.c_str());
}

TEST(PageLinks, LinksAcrossBlockEdgesAreFoundWhole) {
    // Links placed so that, with a 1024-byte buffer, both a start and a
    // link's text straddle the buffer's refills, read in odd block sizes.
    std::string page;
    std::vector<std::string> want;
    for (int i = 0; page.size() < 20000; ++i) {
        page += std::string(static_cast<size_t>(97 + i * 13 % 700), 'x') + " ";
        want.push_back("http://host.example/page" + std::to_string(i) + std::string(i % 40, 'q'));
        page += want.back() + " ";
    }
    for (long block : {1L, 7L, 333L, 4096L}) {
        ImportNode into;
        EXPECT_EQ(0u, ExtractPageLinks(Blocks(page, block), into, ItemProperties(), 1024));
        EXPECT_EQ(want, Names(into)) << "block " << block;
    }
}

TEST(PageLinks, ExistingTopLevelNamesAreSkippedAndAReadErrorKeepsWhatWasFound) {
    ImportNode into;
    into.Append(new ImportNode(ItemProperties(), "http://a.example/", "http://a.example/"));
    std::string page = "http://a.example/ http://b.example/ " + std::string(3000, ' ');
    EXPECT_EQ(5u, ExtractPageLinks(Blocks(page, 1024, 1500, 5), into, ItemProperties(), 1024));
    EXPECT_EQ((std::vector<std::string>{"http://a.example/", "http://b.example/"}), Names(into));
}

TEST(ShortcutFolder, SubfoldersEvenEmptyAndUrlFilesOnly) {
    TempDir dir;
    std::string root = dir.File("Favorites");
    ASSERT_TRUE(platform::MakeDirectory(root.c_str()));
    ASSERT_TRUE(platform::MakeDirectory((root + "/News").c_str()));
    ASSERT_TRUE(platform::MakeDirectory((root + "/Empty").c_str()));
    dir.Write("Favorites/News/Daily.URL",
              "[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=http://daily.example/#top\r\n");
    dir.Write("Favorites/Long.url",
              "[InternetShortcut]\nURL=http://long.example/" + std::string(2000, 'a') + "\n");
    dir.Write("Favorites/Bare.url", "[Other]\nURL=http://no.example/\n");
    dir.Write("Favorites/notes.txt", "http://not.example/");
    ItemProperties defaults;
    defaults.timedelta = 86400;
    ImportNode into;
    ScanShortcutFolder(root, into, defaults);
    std::vector<std::string> top = Names(into);
    std::sort(top.begin(), top.end());
    EXPECT_EQ((std::vector<std::string>{"Bare", "Empty", "Long", "News"}), top);
    for (const ImportNode* e = into.FirstEntry(); e; e = e->NextEntry()) {
        std::string name = e->properties.name.c_str();
        if (name == "Empty") {
            EXPECT_TRUE(e->properties.address.IsEmpty() && !e->HasChildren());
        } else if (name == "Bare") {
            EXPECT_TRUE(e->properties.address.IsEmpty());
        } else if (name == "Long") {
            EXPECT_EQ(1024u, e->properties.address.Length());
        }
        if (name == "News") {
            ASSERT_TRUE(e->FirstEntry());
            EXPECT_STREQ("Daily", e->FirstEntry()->properties.name.c_str());
            EXPECT_STREQ("http://daily.example/", e->FirstEntry()->properties.address.c_str());
            EXPECT_EQ(86400u, e->FirstEntry()->properties.timedelta);
        }
    }
}

TEST(ExportFile, ObjectsKeepTheirPropertiesAndAddressesLoseTheirFragment) {
    ItemList list;
    ItemNode* folder = AddPage(list, 0, "");
    folder->properties.name = "Folder";
    ItemNode* page = AddPage(*folder, 3, "http://x.example/a#part");
    page->properties.keywords = "rain";
    std::string bytes = SavedWatchList(list);
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    ImportNode into;
    ASSERT_TRUE(ReadExportFile(in, into));
    ASSERT_TRUE(into.FirstEntry() && into.FirstEntry()->FirstEntry());
    const ImportNode* e = into.FirstEntry()->FirstEntry();
    EXPECT_TRUE(e->hasProperties);
    EXPECT_STREQ("http://x.example/a", e->properties.address.c_str());
    EXPECT_STREQ("rain", e->properties.keywords.c_str());

    std::string cut = bytes.substr(0, bytes.size() - 3);
    imwstream damaged(cut.data(), static_cast<long>(cut.size()));
    ImportNode none;
    EXPECT_FALSE(ReadExportFile(damaged, none));
    EXPECT_FALSE(none.HasChildren());
}

TEST(LoadSource, KindsReadTheirSourceAndAnUnknownKindBecomesTheExportFile) {
    TempDir dir;
    std::string page = dir.Write("links.html", "see http://one.example/ and http://two.example/");
    ImportNode root;
    root.Append(new ImportNode(ItemProperties(), "old", "http://old.example/"));
    uint8_t kind = 2;
    EXPECT_TRUE(LoadSource(kind, page, root, ItemProperties()).Ok());
    EXPECT_EQ((std::vector<std::string>{"http://one.example/", "http://two.example/"}),
              Names(root));

    kind = 4;
    SourceResult r = LoadSource(kind, page, root, ItemProperties());
    EXPECT_EQ(SourceResult::kUnreadable, r.failure) << "not a tree file";
    kind = 1;
    EXPECT_EQ(SourceResult::kUnreadable,
              LoadSource(kind, dir.File("missing.ovf"), root, ItemProperties()).failure);
    kind = 2;
    EXPECT_EQ(SourceResult::kUnreadable,
              LoadSource(kind, dir.File("missing.html"), root, ItemProperties()).failure);

    kind = 9;
    root.Append(new ImportNode(ItemProperties(), "x", "http://x.example/"));
    EXPECT_TRUE(LoadSource(kind, page, root, ItemProperties()).Ok());
    EXPECT_EQ(1, kind);
    EXPECT_FALSE(root.HasChildren());
}

}  // namespace
