// Many objects checked over simulated hours against loopback servers whose
// pages change at random; afterwards the records, files and workers are
// checked as a whole.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "engine/EngineFixture.h"
#include "pop3/MailboxUrl.h"
#include "support/LoopbackHttpServer.h"
#include "support/LoopbackPop3Server.h"
#include "watchlist/WatchListFile.h"

namespace {

constexpr int kPages = 180;
constexpr int kFramed = 10;
constexpr int kMailboxes = 10;
constexpr int kSteps = 24;  // four hours in 600-second steps

struct SoakPage {
    ItemNode* object;
    std::string path;
    std::vector<std::string> paragraphs;
};

struct Recorded {
    uint32_t time;
    int32_t result;
    std::string texts;
};

std::string Texts(const CheckNode& check) {
    std::string out;
    for (const ChangeNode* c = check.changes.First(); c; c = c->NextChange())
        out += std::string(c->text.c_str()) + "|" + c->link.c_str() + "\n";
    return out;
}

std::string SavedBytes(const ItemList& list, const WatchListPaths& paths) {
    EXPECT_TRUE(SaveWatchList(list, paths));
    EXPECT_TRUE(SaveChangeLog(list, paths));
    return TempDir::Read(paths.watchList) + TempDir::Read(paths.changeLog);
}

class SoakTest : public EngineTest {
  protected:
    HttpReply Body(const std::string& body) {
        HttpReply r;
        r.headers = {"Content-Type: text/html; charset=windows-1251"};
        r.body = body;
        return r;
    }
    void Publish(SoakPage& p) {
        std::string body;
        for (const std::string& para : p.paragraphs) body += para;
        server.Answer(p.path, Body(Page("Page " + p.path, body)));
    }
    LoopbackHttpServer server;
    LoopbackPop3Server pop3;
    std::mt19937 random{20240301};
};

}  // namespace

TEST_F(SoakTest, HoursOfRandomChangesLeaveConsistentRecordsAndFiles) {
    std::vector<SoakPage> pages;
    const uint32_t periods[] = {600, 1200, 1800, 3600, 7200};
    for (int i = 0; i < kPages + kFramed; ++i) {
        SoakPage p;
        p.path = "/p" + std::to_string(i) + ".html";
        for (int k = 0; k < 6; ++k)
            p.paragraphs.push_back("<p>Paragraph " + std::to_string(k) + " of page " +
                                   std::to_string(i) + " with <a href=\"l" + std::to_string(k) +
                                   ".html\">a link</a>.</p>");
        ItemNode* folder = i % 20 == 0 ? AddFolder(("F" + std::to_string(i)).c_str()) : nullptr;
        p.object = AddObject(server.Url(i < kPages ? p.path : "/set" + std::to_string(i) + ".html"),
                             static_cast<uint8_t>(i % 3), periods[i % 5], folder);
        p.object->properties.deltype = kKeepAll;
        p.object->properties.lastCheck = now - 86400;
        if (i >= kPages)
            server.Answer("/set" + std::to_string(i) + ".html",
                          Body("<frameset><frame src=\"" + p.path.substr(1) +
                               "\"><frame src=\"menu.html\"></frameset>"));
        Publish(p);
        pages.push_back(std::move(p));
    }
    server.Answer("/menu.html", Body(Page("Menu", "<p>A menu that never changes at all.</p>")));
    std::vector<ItemNode*> boxes;
    for (int i = 0; i < kMailboxes; ++i) {
        AStr url =
            MakeMailboxUrl("127.0.0.1", pop3.Port(), ("user" + std::to_string(i)).c_str(), "pw");
        boxes.push_back(AddObject(url.c_str(), kModeNone, 1800));
        boxes.back()->properties.deltype = kKeepAll;
    }

    list.RecomputeMarks();  // the folders learn what their objects carry
    std::map<ItemNode*, std::vector<Recorded>> announced;
    const size_t startAnnouncements = host.announcements.size();
    std::vector<Pop3TestMessage> mails;
    const uint32_t start = now;
    for (int step = 0; step < kSteps; ++step) {
        now = start + static_cast<uint32_t>(step) * 600;
        for (SoakPage& p : pages) {
            int roll = static_cast<int>(random() % 100);
            if (roll < 15) {
                p.paragraphs.push_back("<p>News " + std::to_string(step) + " on " + p.path +
                                       " <a href=\"n" + std::to_string(step) +
                                       ".html\">read</a>.</p>");
                Publish(p);
            } else if (roll < 18) {
                HttpReply broken;
                broken.status = 500;
                broken.reason = "Busy";
                server.Answer(p.path, broken);
            } else if (roll < 40) {
                Publish(p);
            }
        }
        if (step % 4 == 0) {
            mails.push_back({"m" + std::to_string(step), "From: a" + std::to_string(step) +
                                                             "@example.org\r\nSubject: Mail " +
                                                             std::to_string(step) + "\r\n"});
            pop3.SetMessages(mails);
        }
        ASSERT_TRUE(RunUntilIdle(60000)) << "step " << step;
        for (size_t a = startAnnouncements; a < host.announcements.size(); ++a) {
            ItemNode* o = host.announcements[a].object;
            announced[o].push_back(
                {o->checks.First()->time, o->checks.First()->result, Texts(*o->checks.First())});
        }
        host.announcements.resize(startAnnouncements);
    }

    size_t total = 0;
    for (auto& entry : announced) total += entry.second.size();
    EXPECT_GT(total, 200u) << "the soak should announce a good number of changes";
    EXPECT_FALSE(engine->IsBusy());
    EXPECT_TRUE(TempFiles().empty());
    platform::HostMessage m{};
    EXPECT_FALSE(queue->Take(&m, 200) && m.what == platform::Report::kThreadEnd)
        << "no worker is left running";

    // Every announced check is in the saved change log.
    WatchListPaths paths(dir.Path());
    const std::string saved = SavedBytes(list, paths);
    ItemList reloaded;
    ASSERT_TRUE(OpenWatchList(reloaded, paths));
    std::map<const ItemNode*, const ItemNode*> twin;
    for (ItemNode *a = list.FirstItem(), *b = reloaded.FirstItem(); a && b;
         a = a->NextInTree(&list), b = b->NextInTree(&reloaded))
        twin[a] = b;
    ASSERT_EQ(twin.size(),
              static_cast<size_t>(kPages + kFramed + kMailboxes + (kPages + kFramed + 19) / 20));
    for (auto& entry : announced) {
        const ItemNode* copy = twin[entry.first];
        ASSERT_NE(nullptr, copy);
        for (const Recorded& r : entry.second) {
            bool found = false;
            for (const CheckNode* c = copy->checks.First(); c && !found; c = c->NextCheck())
                found = c->time == r.time && c->result == r.result && Texts(*c) == r.texts;
            EXPECT_TRUE(found) << entry.first->properties.address.c_str() << " at " << r.time;
        }
    }
    // And the files read back write the same bytes again.
    TempDir again;
    WatchListPaths paths2(again.Path());
    platform::MakeDirectory(paths2.userFolder.c_str());
    EXPECT_TRUE(saved == SavedBytes(reloaded, paths2))
        << "the reloaded files write different bytes";
}
