// Announcing a recorded check: the steps in their order as the host sees
// them, and the event that is handed on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/CheckEngine.h"
#include "platform/HostQueue.h"
#include "watchlist/EventRules.h"
#include "watchlist/ItemList.h"
#include "watchlist/Options.h"

namespace {

// Writes down each call of the engine as one word.
class StepHost : public EngineHost {
  public:
    void RefreshObject(ItemNode& object) override {
        steps.push_back("refresh " + std::string(object.properties.name.c_str()));
    }
    void RevealChangedObject(ItemNode& object) override {
        steps.push_back("reveal " + std::string(object.properties.name.c_str()));
        expandedWhenRevealed = object.checks.First() && object.checks.First()->expanded;
    }
    void SaveChangeLog() override { steps.push_back("save"); }
    void Announce(ItemNode&, const ItemEvent& event) override {
        steps.push_back("event " + std::to_string(event.type) + " " + event.param.c_str());
    }
    TextLogSettings TextLogSetup(uint32_t) override { return {}; }

    std::vector<std::string> steps;
    bool expandedWhenRevealed = false;
};

struct NotifyTest : ::testing::Test {
    NotifyTest() {
        auto* folder = new ItemNode;
        folder->properties.name = "folder";
        list.Append(folder);
        page = new ItemNode;
        page->properties.name = "page";
        page->properties.address = "http://127.0.0.1:9/";
        folder->Append(page);
        page->checks.Append(new CheckNode(1700000000));
        options.event.type = kEventBlink;
        options.event.param = "wide";
        engine = std::make_unique<CheckEngine>(list, options, host,
                                               std::make_shared<platform::HostQueue>(),
                                               [] { return 1700000100u; });
    }
    ItemList list;
    Options options;
    StepHost host;
    ItemNode* page = nullptr;
    std::unique_ptr<CheckEngine> engine;
};

}  // namespace

TEST_F(NotifyTest, RevealsTheMarkedObjectThenRefreshesUpwardsSavesAndRunsTheEvent) {
    page->properties.event.type = kEventMessage;
    page->properties.event.param = "own";
    engine->Notify(*page);
    std::vector<std::string> expected = {"reveal page", "refresh page", "refresh folder", "save",
                                         "event 3 own"};
    EXPECT_EQ(expected, host.steps);
    EXPECT_TRUE(host.expandedWhenRevealed);
    EXPECT_TRUE(page->marks & kMarkUnseen);
    EXPECT_EQ(1, engine->NewChanges());
    engine->Notify(*page);
    EXPECT_EQ(1, engine->NewChanges()) << "an object already unseen is counted once";
}

TEST_F(NotifyTest, HandsOnTheProgramWideEventForKind255AndForAHeldProgram) {
    engine->Notify(*page);  // a new object's kind is 255
    EXPECT_EQ("event 1 wide", host.steps.back());
    page->properties.event.type = kEventRunProgram;
    page->properties.event.param = "calc.exe";
    HoldProgramEvent(*page);
    engine->Notify(*page);
    EXPECT_EQ("event 1 wide", host.steps.back());
}
