// Which object a pass starts, the thread limits, requests, stops and the
// suspension of checks.
#include <gtest/gtest.h>

#include <vector>

#include "engine/EngineFixture.h"
#include "support/LoopbackHttpServer.h"

namespace {

HttpReply Slow(const std::string& body, uint32_t delayMs) {
    HttpReply r;
    r.headers = {"Content-Type: text/html"};
    r.body = body;
    r.delayMs = delayMs;
    return r;
}

const std::string kBody = Page("Page", "<p>Some words that stay the same for a while.</p>");

class SchedulerTest : public EngineTest {
  protected:
    int CountState(int state) const {
        int n = 0;
        for (ItemNode* i = list.FirstItem(); i; i = i->NextInTree(&list)) n += i->state == state;
        return n;
    }
    LoopbackHttpServer server;
};

}  // namespace

TEST_F(SchedulerTest, ThreeOfTenDueObjectsRunAtOnceAndTheFourthStartsAfterOneEnds) {
    std::vector<ItemNode*> pages;
    for (int i = 0; i < 10; ++i) {
        std::string path = "/p" + std::to_string(i) + ".html";
        server.Answer(path, Slow(kBody, 150));
        pages.push_back(AddObject(server.Url(path)));
        pages.back()->properties.lastCheck = now - 7200;
    }
    for (int i = 0; i < 10; ++i) engine->SchedulingPass(0);
    EXPECT_EQ(3u, engine->RunningDownloads());
    EXPECT_EQ(3, CountState(1));
    EXPECT_EQ(1, pages[0]->state) << "started in tree order";
    EXPECT_EQ(1, pages[2]->state);
    EXPECT_EQ(0, pages[3]->state);

    ASSERT_TRUE(HandleOne());
    EXPECT_EQ(2u, engine->RunningDownloads());
    engine->SchedulingPass(1);
    EXPECT_EQ(2u, engine->RunningDownloads()) << "only the first idle call of a phase runs a pass";
    engine->SchedulingPass(0);
    EXPECT_EQ(3u, engine->RunningDownloads());
    EXPECT_EQ(1, pages[3]->state);
    ASSERT_TRUE(RunUntilIdle());
    for (ItemNode* p : pages) EXPECT_EQ(1u, p->checks.Count());
}

TEST_F(SchedulerTest, APassStartsOnlyOneDownload) {
    for (int i = 0; i < 3; ++i) {
        server.Answer("/q" + std::to_string(i), Slow(kBody, 100));
        AddObject(server.Url("/q" + std::to_string(i)))->properties.lastCheck = 0;
    }
    engine->SchedulingPass(0);
    EXPECT_EQ(1u, engine->RunningDownloads());
    ASSERT_TRUE(RunUntilIdle());
}

TEST_F(SchedulerTest, TheDueRuleIsStrictlyLaterThanLastCheckPlusPeriod) {
    server.Answer("/h.html", Slow(kBody, 0));
    ItemNode* page = AddObject(server.Url("/h.html"), kModeText, 3600);
    const uint32_t ten = platform::FromUtc(2024, 3, 1, 10, 0, 0);
    page->properties.lastCheck = ten;
    now = platform::FromUtc(2024, 3, 1, 11, 0, 0);
    engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads());
    EXPECT_EQ(0, page->state);
    now += 1;
    engine->SchedulingPass(0);
    EXPECT_EQ(1u, engine->RunningDownloads());
    ASSERT_TRUE(RunUntilIdle());
}

TEST_F(SchedulerTest, ObjectsThatMayNotRunAreNeverChosen) {
    server.Answer("/x.html", Slow(kBody, 0));
    ItemNode* manual = AddObject(server.Url("/x.html"), kModeText, 0);
    ItemNode* off = AddObject(server.Url("/x.html"));
    off->ClearMarks(kMarkSwitchedOn);
    manual->properties.lastCheck = off->properties.lastCheck = 0;
    ItemNode* folder = AddFolder("Folder");
    engine->RequestCheck(*manual);
    engine->RequestCheck(*folder);
    EXPECT_EQ(0, folder->state);
    engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads())
        << "period 0 is never started, not even when requested";

    engine->SwitchOn(*off);
    EXPECT_EQ(3, off->state);
    engine->SchedulingPass(0);
    EXPECT_EQ(1u, engine->RunningDownloads());
    ASSERT_TRUE(RunUntilIdle());
}

TEST_F(SchedulerTest, ARequestForAnObjectBeingDownloadedIsIgnoredUntilItIsStopped) {
    server.Answer("/slow.html", Slow(kBody, 300));
    ItemNode* page = AddObject(server.Url("/slow.html"));
    engine->RequestCheck(*page);
    engine->SchedulingPass(0);
    ASSERT_EQ(1, page->state);
    engine->RequestCheck(*page);
    EXPECT_EQ(1, page->state);
    engine->SchedulingPass(0);
    EXPECT_EQ(1u, engine->RunningDownloads());

    engine->CheckSelected(*page);  // stop, then request
    EXPECT_EQ(3, page->state);
    engine->SchedulingPass(0);
    EXPECT_EQ(1, page->state);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(2u, server.Requests().size()) << "the stopped download and the new one";
    EXPECT_EQ(1u, page->checks.Count()) << "the stopped download recorded nothing";
}

TEST_F(SchedulerTest, BanChecksAtStartFetchesNothingUntilCleared) {
    options.suspended = true;
    server.Answer("/b.html", Slow(kBody, 0));
    ItemNode* page = AddObject(server.Url("/b.html"));
    page->properties.lastCheck = 0;
    engine->CheckAll();
    for (int i = 0; i < 5; ++i) engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(engine->IsSuspended());

    engine->SetSuspended(false);
    EXPECT_EQ(1, host.optionSaves);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(1u, server.Requests().size());
}

TEST_F(SchedulerTest, StopChecksDropsALateResult) {
    server.Answer("/late.html", Slow(kBody, 0));
    ItemNode* page = AddObject(server.Url("/late.html"));
    engine->RequestCheck(*page);
    ASSERT_TRUE(RunUntilIdle());
    const std::string stored = Stored(page);
    const uint32_t checkedAt = page->properties.lastCheck;

    server.Answer("/late.html", Slow(Page("Page", "<p>Quite different now.</p>"), 300));
    now += 7200;
    engine->SchedulingPass(0);
    ASSERT_EQ(1u, engine->RunningDownloads());
    engine->StopChecks(*page);
    EXPECT_EQ(0, page->state);
    EXPECT_TRUE(TempFiles().empty()) << "the stop deletes the temporary file";
    ASSERT_TRUE(HandleOne()) << "the aborted download still reports its end";
    EXPECT_EQ(0u, engine->RunningDownloads());
    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_EQ(checkedAt, page->properties.lastCheck);
    EXPECT_EQ(stored, Stored(page));
    EXPECT_TRUE(host.announcements.empty());
}

TEST_F(SchedulerTest, ThreeWaitingComparisonsStartBesideARunningOne) {
    std::vector<ItemNode*> pages;
    for (int i = 0; i < 4; ++i) {
        std::string path = "/c" + std::to_string(i);
        server.Answer(path, Slow(kBody, 0));
        pages.push_back(AddObject(server.Url(path)));
        engine->RequestCheck(*pages.back());
    }
    ASSERT_TRUE(RunUntilIdle());  // first copies
    server.Answer("/c0", Slow(Page("Page", "<p>Changed.</p>"), 0));
    for (ItemNode* p : pages) engine->RequestCheck(*p);
    for (int i = 0; i < 4; ++i) engine->SchedulingPass(0);
    ASSERT_EQ(3u, engine->RunningDownloads());

    // Downloads end; comparison reports are held back so that the running
    // comparison stays on the engine's list.
    std::vector<platform::HostMessage> held;
    int downloadsEnded = 0;
    for (int i = 0; i < 40 && downloadsEnded < 4; ++i) {
        platform::HostMessage m{};
        if (!queue->Take(&m, 200)) continue;
        if (m.what == platform::Report::kThreadEnd && m.param == kCompareThreadKind) {
            held.push_back(m);
            continue;
        }
        downloadsEnded += engine->HandleReport(m);
        if (downloadsEnded == 1) {
            engine->SchedulingPass(0);  // starts the fourth download and the first comparison
            EXPECT_EQ(1u, engine->RunningComparisons());
            EXPECT_EQ(3u, engine->RunningDownloads());
        }
    }
    ASSERT_EQ(4, downloadsEnded);
    EXPECT_EQ(1u, engine->RunningComparisons());
    EXPECT_EQ(3u, engine->WaitingComparisons());
    EXPECT_EQ(2, pages[3]->state) << "comparing";
    engine->SchedulingPass(0);
    EXPECT_EQ(4u, engine->RunningComparisons()) << "up to maxthreads more start in one pass";
    EXPECT_EQ(0u, engine->WaitingComparisons());
    for (const auto& m : held) engine->HandleReport(m);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(1u, host.announcements.size());
    EXPECT_EQ(pages[0], host.announcements[0].object);
}

TEST_F(SchedulerTest, ShutdownLetsGoOfEveryWorker) {
    server.Answer("/s.html", Slow(kBody, 200));
    ItemNode* page = AddObject(server.Url("/s.html"));
    engine->RequestCheck(*page);
    engine->SchedulingPass(0);
    ASSERT_EQ(1u, engine->RunningDownloads());
    engine->Shutdown();
    EXPECT_EQ(0u, engine->RunningDownloads());
    EXPECT_TRUE(TempFiles().empty());
    platform::HostMessage m{};
    while (queue->Take(&m, 0)) engine->HandleReport(m);  // reports of released workers are ignored
    EXPECT_TRUE(page->checks.IsEmpty());
}

TEST_F(SchedulerTest, WithRequestedOnlyAPassStartsNothingThatMerelyFellDue) {
    server.Answer("/x.html", Slow(kBody, 0));
    ItemNode* due = AddObject(server.Url("/x.html"));
    ItemNode* asked = AddObject(server.Url("/x.html"));
    due->properties.lastCheck = asked->properties.lastCheck = 0;
    engine->SetRequestedOnly(true);
    engine->SchedulingPass(0);
    EXPECT_EQ(0u, engine->RunningDownloads()) << "due, but nobody asked";
    engine->RequestCheck(*asked);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(1u, server.Requests().size());
    EXPECT_FALSE(asked->checks.IsEmpty());
    EXPECT_TRUE(due->checks.IsEmpty());
}

TEST(DownloadSettings, AProxyWrittenAsHostAndPortReachesTheDownloadAsBoth) {
    Options o;
    o.proxyOn = true;
    o.proxy = "cache.test:3128";
    DownloadSettings s = DownloadSettingsFrom(o);
    EXPECT_STREQ("cache.test", s.proxy.host.c_str());
    EXPECT_EQ(3128u, s.proxy.port);
    o.proxyPort = "8080";  // an explicit port wins
    EXPECT_EQ(8080u, DownloadSettingsFrom(o).proxy.port);
    o.proxy = "plain.test";
    EXPECT_STREQ("plain.test", DownloadSettingsFrom(o).proxy.host.c_str());
    EXPECT_EQ(8080u, DownloadSettingsFrom(o).proxy.port);
}
