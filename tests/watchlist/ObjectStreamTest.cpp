// The private clipboard and drag stream: copies of objects written as a
// watch list stream, and a stream from elsewhere inserted at a position as
// new objects (or not at all when it is not whole).
#include <gtest/gtest.h>

#include "WatchListFixtures.h"
#include "support/TempDir.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ObjectStream.h"

namespace {

// clang-format off
// A page whose event runs a program.
Bytes RunningPage() {
    return Bytes()
        .Str("Runner").Str("http://run.example/")
        .U32(3600).U32(1234567).U8(1)
        .Str("").U8(2).U32(10)
        .I16(-1).U8(0).I16(-1).Str("")
        .U8(4).Str("notepad.exe")
        .U32(0).U16(0)
        .U16(7).Str("").U8(0)
        .U16(2).U16(0).U8(0).U8(0)
        .U16(0);
}
// clang-format on

struct InsertTest : ::testing::Test {
    InsertTest() {
        list.SetUserFolder(dir.Path());
        first = Add("First", "http://first.example/", 7);
        last = Add("Last", "http://last.example/", 1);
    }
    ItemNode* Add(const char* name, const char* address, uint16_t copy) {
        auto* o = new ItemNode;
        o->properties.name = name;
        o->properties.address = address;
        o->copyNumber = copy;
        list.Append(o);
        return o;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (ItemNode* o = list.FirstItem(); o; o = o->NextItem())
            names.push_back(o->properties.name.c_str());
        return names;
    }
    int Insert(const std::string& bytes, InsertPosition at,
               std::vector<ItemNode*>* held = nullptr) {
        if (!at.parent) at.parent = &list;
        return InsertFromStream(list, bytes.data(), bytes.size(), at, &inserted, held);
    }
    TempDir dir;
    ItemList list;
    ItemNode *first, *last;
    std::vector<ItemNode*> inserted;
};

}  // namespace

TEST(ObjectStream, CopiesAreWrittenAsTheWatchListFileWritesThem) {
    ItemList list;
    std::string file = Version10File();
    ASSERT_TRUE(ReadObjectStream(file.data(), file.size(), list));
    ItemNode* folder = list.FirstItem();
    ItemNode* framed = folder->NextItem();
    EXPECT_EQ(file, ObjectsToStream({folder, framed}));
    // One object of a folder: its record alone, in the order asked for.
    ItemNode* weather = folder->FirstItem();
    EXPECT_EQ(WatchListHeader(10).U16(1).Add(WeatherPage()).str(), ObjectsToStream({weather}));
    EXPECT_EQ(WatchListHeader(10).U16(2).Add(FramedPage()).Add(WeatherPage()).str(),
              ObjectsToStream({framed, weather}));
    EXPECT_EQ(WatchListHeader(10).U16(0).str(), ObjectsToStream({}));
}

TEST(ObjectStream, BytesAfterTheLastRecordAreAllowed) {
    ItemList list;
    std::string block = Version10File() + std::string(13, '\0');
    EXPECT_TRUE(ReadObjectStream(block.data(), block.size(), list));
    EXPECT_EQ(2u, list.Count());
}

TEST_F(InsertTest, InsertedObjectsComeAsNewOnesWithFreshNumbers) {
    ASSERT_EQ(0, Insert(Version10File(), {}));
    ASSERT_EQ(2u, inserted.size());
    ItemNode* folder = inserted[0];
    ItemNode* weather = folder->FirstItem();
    ItemNode* mailbox = weather->NextItem();
    ItemNode* framed = inserted[1];
    for (ItemNode* o : {folder, weather, mailbox, framed}) {
        EXPECT_TRUE(o->neverChecked) << o->properties.name.c_str();
        EXPECT_EQ(0u, o->properties.lastCheck) << o->properties.name.c_str();
    }
    EXPECT_EQ(3, weather->state);
    EXPECT_EQ(3, mailbox->state);
    EXPECT_EQ(3, framed->state);
    EXPECT_EQ(0, folder->state) << "a folder is not checked";
    // 7 and 1 are held here already; the stream's own numbers mean nothing.
    EXPECT_EQ(2, weather->copyNumber);
    EXPECT_EQ(3, mailbox->copyNumber);
    EXPECT_EQ(4, framed->copyNumber);
    _HtmlFrameNode* left = framed->frames->NextInTree(framed->frames.get());
    ASSERT_NE(nullptr, left);
    EXPECT_EQ(5, left->copyNumber);
    EXPECT_EQ(7, first->copyNumber) << "objects already in the list keep their numbers";
    // The folder's derived marks follow what came in below it.
    EXPECT_TRUE(folder->HasUnseen());
    EXPECT_EQ(1, list.CountNewChanges());
}

TEST_F(InsertTest, ObjectsGoBeforeOrAfterTheAnchorInTheirOrder) {
    std::string two = WatchListHeader(10).U16(2).Add(WeatherPage()).Add(Mailbox()).str();
    ASSERT_EQ(0, Insert(two, {&list, last, true}));
    EXPECT_EQ((std::vector<std::string>{"First", "Weather report", "", "Last"}), Names());
    ASSERT_EQ(0, Insert(two, {&list, first, false}));
    EXPECT_EQ(
        (std::vector<std::string>{"First", "Weather report", "", "Weather report", "", "Last"}),
        Names());
    ASSERT_EQ(0, Insert(two, {first, nullptr, false}));
    EXPECT_EQ(2u, first->Count()) << "no anchor: into the parent, at its end";
}

TEST_F(InsertTest, ARunProgramEventIsHeldUntilConfirmed) {
    std::vector<ItemNode*> held;
    ASSERT_EQ(0, Insert(WatchListHeader(10).U16(1).Add(RunningPage()).str(), {}, &held));
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ(inserted[0], held[0]);
    EXPECT_TRUE(IsHeldProgramEvent(held[0]->properties.event));
    EXPECT_STREQ("notepad.exe", held[0]->properties.event.param.c_str());
}

TEST_F(InsertTest, AStreamCutAnywhereInsertsNothing) {
    std::string file = Version10File();
    long alive = ItemNode::LiveCount();
    for (size_t n = 0; n < file.size(); ++n) {
        EXPECT_EQ(-1, Insert(file.substr(0, n), {&list, first, true})) << "cut at " << n;
        EXPECT_EQ(2u, list.Count()) << "cut at " << n;
        EXPECT_EQ(alive, ItemNode::LiveCount()) << "cut at " << n;
    }
    std::string foreign = file;
    foreign[0] = 'X';
    EXPECT_EQ(-1, Insert(foreign, {}));
    EXPECT_EQ((std::vector<std::string>{"First", "Last"}), Names());
}
