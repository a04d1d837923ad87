#pragma once
// A check engine over a watch list in a fresh folder, hosted by a recording
// host and driven by hand: a fake clock, and a loop that runs passes and
// hands the workers' reports to the engine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/CheckEngine.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/HostQueue.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"
#include "watchlist/ItemList.h"
#include "watchlist/Options.h"
#include "watchlist/UserFiles.h"

struct Announcement {
    ItemNode* object;
    uint8_t eventType;
};

class RecordingHost : public EngineHost {
  public:
    explicit RecordingHost(std::string userFolder) : userFolder_(std::move(userFolder)) {}
    void RefreshObject(ItemNode&) override { ++refreshes; }
    void Announce(ItemNode& object, const ItemEvent& event) override {
        announcements.push_back({&object, event.type});
    }
    void SaveChangeLog() override {
        ++changeLogSaves;
        if (onSave) onSave();
    }
    void SaveWatchList() override {
        ++watchListSaves;
        if (onSave) onSave();
    }
    void SaveOptions() override { ++optionSaves; }
    TextLogSettings TextLogSetup(uint32_t now) override {
        TextLogSettings s;
        s.userFolder = userFolder_;
        s.now = now;
        return s;
    }

    std::vector<Announcement> announcements;
    int refreshes = 0, changeLogSaves = 0, watchListSaves = 0, optionSaves = 0;
    std::function<void()> onSave;

  private:
    std::string userFolder_;
};

class EngineTest : public ::testing::Test {
  protected:
    EngineTest()
        : user(platform::JoinPath(dir.Path(), "USER")),
          host(user),
          queue(std::make_shared<platform::HostQueue>()) {
        platform::MakeDirectory(user.c_str());
        list.SetUserFolder(user);
        options.maxThreads = 3;
        options.maxNews = 0;
        options.event.type = kEventNone;
        engine = std::make_unique<CheckEngine>(list, options, host, queue, [this] { return now; });
    }
    ~EngineTest() override { engine.reset(); }

    ItemNode* AddObject(const std::string& address, uint8_t mode = kModeText,
                        uint32_t period = 3600, ItemNode* parent = nullptr) {
        ItemProperties p;
        p.address = address.c_str();
        p.modify = mode;
        p.timedelta = period;
        p.lastCheck = now;
        auto* n = new ItemNode(p);
        n->neverChecked = true;
        (parent ? parent : static_cast<ItemNode*>(&list))->Append(n);
        return n;
    }
    ItemNode* AddFolder(const char* name) {
        ItemProperties p;
        p.name = name;
        auto* n = new ItemNode(p);
        list.Append(n);
        return n;
    }

    // Reports handled up to and including one thread end; false when
    // none came within ms.
    bool HandleOne(uint32_t ms = 10000) {
        uint32_t start = platform::TickCount();
        platform::HostMessage m{};
        while (queue->Take(&m, ms)) {
            if (engine->HandleReport(m)) return true;
            if (platform::TickCount() - start > ms) break;
        }
        return false;
    }
    // Passes and reports until nothing runs or waits and no pass starts
    // anything; false when that took too long.
    bool RunUntilIdle(uint32_t limitMs = 20000) {
        uint32_t start = platform::TickCount();
        for (;;) {
            engine->SchedulingPass(0);
            if (!engine->IsBusy()) return true;
            if (platform::TickCount() - start > limitMs) return false;
            HandleOne(50);
        }
    }
    // The object falls due (its period passes) and is checked.
    void CheckAgain(ItemNode* object) {
        now = object->properties.lastCheck + object->properties.timedelta + 1;
        ASSERT_TRUE(RunUntilIdle());
    }
    std::string Stored(const ItemNode* object) const {
        return TempDir::Read(StoredCopyPath(list, *object, nullptr));
    }
    // Names of the ".TMP" files in USER.
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> names;
        platform::FindEntry e;
        platform::FindHandle h = platform::FindFirst(platform::JoinPath(user, "*.TMP").c_str(), &e);
        if (h == platform::kInvalidFind) return names;
        do names.push_back(e.name);
        while (platform::FindNext(h, &e));
        platform::FindClose(h);
        return names;
    }

    TempDir dir;
    std::string user;
    RecordingHost host;
    std::shared_ptr<platform::HostQueue> queue;
    ItemList list;
    Options options;
    uint32_t now = platform::FromUtc(2024, 3, 1, 10, 0, 0);
    std::unique_ptr<CheckEngine> engine;
};

inline HttpReply HtmlReply(const std::string& body) {
    HttpReply r;
    r.headers = {"Content-Type: text/html"};
    r.body = body;
    return r;
}

inline HttpReply StatusReply(int status, const char* reason) {
    HttpReply r;
    r.status = status;
    r.reason = reason;
    return r;
}

inline std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}
