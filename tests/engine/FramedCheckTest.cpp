// Framed pages checked end to end: frames fetched one download each,
// compared one by one and gathered into the page's check.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "support/LoopbackHttpServer.h"

namespace {

std::string Frameset(const std::string& second) {
    return "<html><head><title>Framed site</title></head><frameset cols=\"30%,*\">"
           "<frame name=menu src=\"menu.html\"><frame name=main src=\"" +
           second + "\"></frameset></html>";
}

const std::string kParas =
    "<p>First steady paragraph of text.</p><p>Second steady paragraph of text.</p>"
    "<p>Third steady paragraph of text.</p><p>Fourth steady paragraph of text.</p>"
    "<p>Fifth steady paragraph of text.</p>";

class FramedCheckTest : public EngineTest {
  protected:
    FramedCheckTest() {
        server.Answer("/site/index.html", HtmlReply(Frameset("main.html")));
        server.Answer("/site/menu.html",
                      HtmlReply(Page("Menu", "<p>Home, news and contact pages.</p>")));
        server.Answer("/site/main.html", HtmlReply(Page("Main", kParas)));
        server.Answer("/site/other.html", HtmlReply(Page("Other", kParas)));
        page = AddObject(server.Url("/site/index.html"));
        engine->RequestCheck(*page);
        EXPECT_TRUE(RunUntilIdle());
    }
    std::string FrameCopy(const _HtmlFrameNode* frame) const {
        return TempDir::Read(StoredCopyPath(list, *page, frame));
    }
    LoopbackHttpServer server;
    ItemNode* page = nullptr;
};

}  // namespace

TEST_F(FramedCheckTest, TheFirstCheckStoresTheFramesetAndEveryFrame) {
    ASSERT_TRUE(page->frames);
    ASSERT_EQ(2u, page->frames->Count());
    _HtmlFrameNode* menu = page->frames->FirstFrame();
    _HtmlFrameNode* main = menu->NextFrame();
    EXPECT_STREQ("menu", menu->name.c_str());
    EXPECT_NE(0, menu->copyNumber);
    EXPECT_NE(menu->copyNumber, main->copyNumber);
    EXPECT_NE(page->copyNumber, menu->copyNumber);
    EXPECT_EQ(Frameset("main.html"), Stored(page)) << "the page's copy keeps only the frameset";
    EXPECT_EQ(Page("Main", kParas), FrameCopy(main));
    EXPECT_STREQ("Framed site", page->properties.name.c_str());
    EXPECT_FALSE(page->neverChecked);
    EXPECT_EQ(0, page->state);
    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_TRUE(host.announcements.empty());
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(FramedCheckTest, AChangedFrameIsRecordedInThePagesCheck) {
    const uint16_t menuNumber = page->frames->FirstFrame()->copyNumber;
    server.Answer(
        "/site/main.html",
        HtmlReply(
            Page("Main", kParas + "<p>News from <a href=\"story.html\">the town hall</a>.</p>")));
    CheckAgain(page);

    ASSERT_EQ(1u, host.announcements.size());
    ASSERT_EQ(2u, page->checks.Count());
    const CheckNode* check = page->checks.First();
    EXPECT_EQ(1, check->result);
    ASSERT_EQ(1u, check->changes.Count());
    EXPECT_STREQ("News from the town hall.", check->changes.First()->text.c_str());
    EXPECT_EQ(server.Url("/site/story.html"), check->changes.First()->link.c_str());
    EXPECT_EQ(menuNumber, page->frames->FirstFrame()->copyNumber)
        << "an unchanged frameset keeps its frames";
    EXPECT_EQ(0, page->state);
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(FramedCheckTest, AChangedFramesetRecordsResultThreeWithoutEntries) {
    const std::string oldMain =
        StoredCopyPath(list, *page, page->frames->FirstFrame()->NextFrame());
    ASSERT_TRUE(platform::FileExists(oldMain.c_str()));
    server.Answer("/site/index.html", HtmlReply(Frameset("other.html")));
    CheckAgain(page);

    ASSERT_EQ(1u, host.announcements.size());
    ASSERT_EQ(2u, page->checks.Count());
    EXPECT_EQ(3, page->checks.First()->result);
    EXPECT_TRUE(page->checks.First()->changes.IsEmpty());
    EXPECT_STREQ("other.html", page->frames->FirstFrame()->NextFrame()->source.c_str());
    EXPECT_EQ(Frameset("other.html"), Stored(page));
    EXPECT_EQ(Page("Other", kParas), FrameCopy(page->frames->FirstFrame()->NextFrame()));
    EXPECT_GE(host.watchListSaves, 2) << "the new frame tree is part of the watch list";
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(FramedCheckTest, AFailedFrameFailsThePage) {
    server.Answer("/site/menu.html", StatusReply(404, "Not Found"));
    CheckAgain(page);
    EXPECT_EQ(-1, page->state);
    EXPECT_EQ(404, page->detail);
    EXPECT_EQ(1u, page->checks.Count());
    EXPECT_TRUE(host.announcements.empty());
}

TEST_F(FramedCheckTest, APageThatDropsItsFramesIsComparedAsAPlainPageAgain) {
    const std::string menuCopy = StoredCopyPath(list, *page, page->frames->FirstFrame());
    server.Answer("/site/index.html", HtmlReply(Page("Framed site", kParas)));
    CheckAgain(page);
    EXPECT_FALSE(page->frames);
    EXPECT_FALSE(platform::FileExists(menuCopy.c_str())) << "the frames' copies are deleted";
    EXPECT_EQ(Page("Framed site", kParas), Stored(page));
}
