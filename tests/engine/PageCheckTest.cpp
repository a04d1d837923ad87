// Web pages checked end to end against a loopback server whose pages change
// between checks.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "support/LoopbackHttpServer.h"

namespace {

const std::string kBody =
    "<p>The market opens on Monday morning.</p><p>The library keeps longer hours.</p>"
    "<p>Buses run every ten minutes.</p><p>The museum shows old maps.</p><p>Parking is free on "
    "Sundays.</p>";
const std::string kFirst = Page("Town news", kBody);
const std::string kSecond =
    Page("Town news",
         kBody + "<p>A new <a href=\"bridge.html#photo\">bridge</a> crosses the river.</p>");

class PageCheckTest : public EngineTest {
  protected:
    // A page at /news.html checked once with the first text.
    ItemNode* CheckedNews() {
        server.Answer("/news.html", HtmlReply(kFirst));
        ItemNode* page = AddObject(server.Url("/news.html"));
        engine->RequestCheck(*page);
        EXPECT_TRUE(RunUntilIdle());
        return page;
    }
    LoopbackHttpServer server;
};

}  // namespace

TEST_F(PageCheckTest, FirstCheckStoresCopyAndTitleWithoutAnnouncing) {
    server.Answer("/news.html", HtmlReply(kFirst));
    ItemNode* page = AddObject(server.Url("/news.html"));
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());

    EXPECT_STREQ("Town news", page->title.c_str());
    EXPECT_STREQ("Town news", page->properties.name.c_str()) << "an empty name takes the title";
    EXPECT_FALSE(page->neverChecked);
    ASSERT_EQ(1u, page->checks.Count());
    EXPECT_EQ(0, page->checks.First()->result);
    EXPECT_EQ(now, page->checks.First()->time);
    EXPECT_EQ(kFirst, Stored(page));
    EXPECT_TRUE(host.announcements.empty());
    EXPECT_FALSE(page->HasUnseen());
    EXPECT_EQ(0, page->state);
    EXPECT_EQ(now, page->properties.lastCheck);
    EXPECT_GE(host.watchListSaves, 1) << "title and copy number belong to the watch list";
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(PageCheckTest, ANewParagraphIsAnnouncedWithItsTextAndLink) {
    server.Answer("/news.html", HtmlReply(kFirst));
    ItemNode* folder = AddFolder("Local");
    ItemNode* page = AddObject(server.Url("/news.html"), kModeText, 3600, folder);
    page->properties.name = "News";
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());
    server.Answer("/news.html", HtmlReply(kSecond));
    CheckAgain(page);

    ASSERT_EQ(1u, host.announcements.size());
    EXPECT_EQ(page, host.announcements[0].object);
    EXPECT_EQ(kEventNone, host.announcements[0].eventType)
        << "kind 255 hands over to the program-wide event";
    ASSERT_EQ(2u, page->checks.Count());
    const CheckNode* check = page->checks.First();
    EXPECT_EQ(1, check->result);
    EXPECT_TRUE(check->expanded);
    ASSERT_EQ(1u, check->changes.Count());
    EXPECT_STREQ("A new bridge crosses the river.", check->changes.First()->text.c_str());
    EXPECT_EQ(server.Url("/bridge.html#photo"), check->changes.First()->link.c_str());
    EXPECT_TRUE(page->marks & kMarkUnseen);
    EXPECT_TRUE(folder->HasUnseen()) << "the folder above shows the unseen change";
    EXPECT_EQ(1, engine->NewChanges());
    EXPECT_GE(host.changeLogSaves, 1);
    EXPECT_EQ(kSecond, Stored(page)) << "the new download replaced the stored copy";
    EXPECT_STREQ("News", page->properties.name.c_str());
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(PageCheckTest, ModeNoneCountsEveryDownloadAsAChangeAndObjectEventWins) {
    server.Answer("/p.html", HtmlReply(kFirst));
    ItemNode* page = AddObject(server.Url("/p.html"), kModeNone);
    page->neverChecked = false;
    page->properties.event.type = kEventMessage;
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());
    ASSERT_EQ(1u, host.announcements.size());
    EXPECT_EQ(kEventMessage, host.announcements[0].eventType);
    ASSERT_EQ(1u, page->checks.Count());
    EXPECT_EQ(0, page->checks.First()->result);
    EXPECT_TRUE(page->checks.First()->expanded) << "Notify opens the newest check";
}

TEST_F(PageCheckTest, NotModifiedRecordsNothingAndKeepsTheStoredCopy) {
    ItemNode* page = CheckedNews();
    server.Answer("/news.html", StatusReply(304, "Not Modified"));
    CheckAgain(page);

    EXPECT_FALSE(server.Requests().back().Header("If-Modified-Since").empty());
    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_TRUE(host.announcements.empty());
    EXPECT_EQ(kFirst, Stored(page));
    EXPECT_EQ(0, page->state);
    EXPECT_EQ(now, page->properties.lastCheck);
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(PageCheckTest, TheServersEntityTagGoesBackWithTheNextCheck) {
    HttpReply tagged = HtmlReply(kFirst);
    tagged.headers.push_back("ETag: \"first\"");
    server.Answer("/news.html", tagged);
    ItemNode* page = AddObject(server.Url("/news.html"));
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_STREQ("\"first\"", page->etag.c_str());
    EXPECT_GE(host.changeLogSaves, 1) << "the tag is kept with the check states";

    server.Answer("/news.html", StatusReply(304, "Not Modified"));
    CheckAgain(page);
    EXPECT_EQ("\"first\"", server.Requests().back().Header("If-None-Match"));
    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_EQ(kFirst, Stored(page));
}

TEST_F(PageCheckTest, AFailedDownloadIsRetried600SecondsLater) {
    ItemNode* hourly = AddObject(server.Url("/missing.html"), kModeText, 3600);
    ItemNode* short_ = AddObject(server.Url("/missing2.html"), kModeText, 600);
    engine->RequestCheck(*hourly);
    engine->RequestCheck(*short_);
    ASSERT_TRUE(RunUntilIdle());
    const uint32_t failedAt = now;

    EXPECT_EQ(-1, hourly->state);
    EXPECT_EQ(kDownloadHttpError, hourly->lastError);
    EXPECT_EQ(404, hourly->detail);
    EXPECT_EQ(failedAt + 600 - 3600, hourly->properties.lastCheck);
    EXPECT_EQ(failedAt, short_->properties.lastCheck) << "a 600-second period is not shortened";
    EXPECT_TRUE(hourly->checks.IsEmpty());
    EXPECT_TRUE(TempFiles().empty());

    size_t before = server.Requests().size();
    now = failedAt + 600;
    engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads()) << "due only strictly later than the retry time";
    now = failedAt + 601;
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(before + 2, server.Requests().size()) << "both fall due again 601 seconds later";
}

TEST_F(PageCheckTest, AFailureKeepsTheStoredCopy) {
    ItemNode* page = CheckedNews();
    server.Answer("/news.html", StatusReply(500, "Server Error"));
    CheckAgain(page);
    EXPECT_EQ(-1, page->state);
    EXPECT_EQ(500, page->detail);
    EXPECT_EQ(kFirst, Stored(page));
    EXPECT_EQ(1u, page->checks.Count());
}

TEST_F(PageCheckTest, AComparisonThatFailsIsAFailedCheckNotAnUnchangedPage) {
    ItemNode* page = CheckedNews();
    page->properties.modify = kModeText;
    server.Answer("/news.html", HtmlReply(kSecond));
    now = page->properties.lastCheck + page->properties.timedelta + 1;
    // The download ends and its comparison waits; the new copy then vanishes.
    for (int i = 0; i < 400 && !engine->WaitingComparisons(); ++i) {
        engine->SchedulingPass(0);
        HandleOne(50);
    }
    ASSERT_EQ(1u, engine->WaitingComparisons());
    for (const std::string& name : TempFiles())
        platform::RemoveFile(platform::JoinPath(user, name).c_str());
    ASSERT_TRUE(RunUntilIdle());

    EXPECT_EQ(-1, page->state);
    EXPECT_EQ(kErrorCompareFailed, page->lastError);
    EXPECT_EQ(1u, page->checks.Count()) << "no record";
    EXPECT_TRUE(host.announcements.empty());
}

TEST_F(PageCheckTest, LinkModeKeepsAChangeWhoseLinkAloneMatchesTheKeyword) {
    const std::string before = Page("Shop", "<p>Welcome to the shop.</p>");
    const std::string after =
        Page("Shop",
             "<p>Welcome to the shop.</p><p><a href=\"/catalogue/special.html\">Read more"
             "</a></p><p>Opening hours changed today.</p>");
    server.Answer("/shop.html", HtmlReply(before));
    ItemNode* page = AddObject(server.Url("/shop.html"), kModeLinks);
    page->properties.keywords = "special";
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());
    server.Answer("/shop.html", HtmlReply(after));
    CheckAgain(page);

    ASSERT_EQ(1u, host.announcements.size());
    const CheckNode* check = page->checks.First();
    ASSERT_EQ(1u, check->changes.Count()) << "the paragraph without the keyword is refused";
    EXPECT_STREQ("Read more", check->changes.First()->text.c_str());
    EXPECT_NE(std::string::npos,
              std::string(check->changes.First()->link.c_str()).find("special.html"));
}

TEST_F(PageCheckTest, TooFewChangesReplaceTheCopyButRecordNothing) {
    ItemNode* page = CheckedNews();
    page->properties.minchanged = 3;
    const std::string two =
        Page("Town news",
             "<p>The market opens on Monday morning.</p><p>First new paragraph.</p>"
             "<h2>Second new heading</h2>");
    server.Answer("/news.html", HtmlReply(two));
    CheckAgain(page);

    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_TRUE(host.announcements.empty());
    EXPECT_EQ(two, Stored(page));
    EXPECT_EQ(0, page->state);
    EXPECT_FALSE(page->HasUnseen());
}

TEST_F(PageCheckTest, MaxNewsBoundsTheChangesOfAComparison) {
    options.maxNews = 2;
    ItemNode* page = CheckedNews();
    server.Answer("/news.html",
                  HtmlReply(Page("Town news",
                                 "<p>The market opens on Monday morning.</p><p>One more.</p>"
                                 "<p>Two more.</p><p>Three more.</p>")));
    CheckAgain(page);
    ASSERT_EQ(2u, page->checks.Count());
    EXPECT_EQ(2u, page->checks.First()->changes.Count());
    EXPECT_STREQ("One more.", page->checks.First()->changes.First()->text.c_str());
}
