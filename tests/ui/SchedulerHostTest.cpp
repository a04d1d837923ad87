// The check engine hosted by the main window: passes run in the window's
// idle handler, workers report to the window by its registered messages,
// and a check that stands is saved at once and blinks the tray icon.
#include "MainWindowFixture.h"
#include "lang/CommandIds.h"
#include "support/LoopbackHttpServer.h"
#include "watchlist/WatchListFile.h"

namespace {

TEST_F(MainWindowTest, IdlePassesCheckADuePageThroughTheWindowsMessages) {
    LoopbackHttpServer server;
    HttpReply first;
    first.headers = {"Content-Type: text/html"};
    first.body = "<html><body><p>Sunny tomorrow.</p></body></html>";
    server.Answer("/weather", first);
    {
        ItemList list;
        ItemProperties p;
        p.name = "Weather";
        p.address = server.Url("/weather").c_str();
        p.timedelta = 3600;
        p.modify = 1;
        p.event.type = kEventBlink;
        list.Append(new ItemNode(p));
        WatchListPaths paths(dir.Path());
        platform::MakeDirectory(paths.userFolder.c_str());
        ASSERT_TRUE(SaveWatchList(list, paths));
    }
    ASSERT_TRUE(Open());
    Pump();
    ItemNode* page = frame->WatchList().FirstItem();
    ASSERT_NE(nullptr, page);
    auto idleUntil = [&](const std::function<bool()>& done) {
        return PumpUntil(
            [&] {
                frame->OnIdle(0);
                return done();
            },
            20000);
    };
    ASSERT_TRUE(idleUntil([&] {
        return page->state == kCheckIdle && !frame->Engine()->IsBusy() &&
               page->properties.lastCheck != 0;
    })) << "the first copy was fetched and stored";
    EXPECT_EQ(0u, page->checks.Count());

    HttpReply second = first;
    second.body = "<html><body><p>Sunny tomorrow.</p><p>Frost at night.</p></body></html>";
    server.Answer("/weather", second);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_CHECK_ALL, 0), 0);
    ASSERT_TRUE(idleUntil([&] { return page->checks.Count() == 1 && !frame->Engine()->IsBusy(); }));
    EXPECT_TRUE(frame->IsBlinking()) << "the page's event blinks the tray icon";
    EXPECT_EQ(1, frame->Engine()->NewChanges());

    // The change log on disk already holds the check.
    ItemList reread;
    WatchListPaths paths(dir.Path());
    ASSERT_TRUE(OpenWatchList(reread, paths));
    ASSERT_NE(nullptr, reread.FirstItem());
    EXPECT_EQ(1u, reread.FirstItem()->checks.Count());
}

}  // namespace
