// Watched objects: kinds, marks carried up the tree with the refreshes the
// item pane sees, copies, protection, display names and frame aggregates.
#include <gtest/gtest.h>

#include <vector>

#include "watchlist/ItemList.h"

namespace {

ItemNode* Add(ItemNode& parent, const char* name, const char* address,
              uint16_t marks = kMarkSwitchedOn) {
    auto* n = new ItemNode;
    n->properties.name = name;
    n->properties.address = address;
    n->marks = marks;
    parent.Append(n);
    return n;
}

// A list that records the names of the nodes it is asked to refresh.
struct WatchedList {
    WatchedList() {
        list.SetRefreshHook(
            [this](ItemNode& n) { refreshed.push_back(n.properties.name.c_str()); });
    }
    ItemList list;
    std::vector<std::string> refreshed;
};

}  // namespace

TEST(ItemKinds, FollowTheAddress) {
    ItemNode n;
    EXPECT_TRUE(n.IsFolder());
    n.properties.address = "mailto:me:pw@pop.example:110";
    EXPECT_TRUE(n.IsMailbox());
    n.properties.address = "MAILTO:me:pw@pop.example:110";
    EXPECT_FALSE(n.IsMailbox());
    EXPECT_FALSE(n.IsFolder());
    n.properties.address = "mailto";
    EXPECT_FALSE(n.IsMailbox());
}

TEST(ItemMarks, AFolderWhoseOnlyPageIsOffIsOffUntilThePageIsSwitchedOn) {
    WatchedList w;
    ItemNode* folder = Add(w.list, "folder", "", 0);
    ItemNode* page = Add(*folder, "page", "http://a.example/", 0);
    w.list.RecomputeMarks();
    EXPECT_TRUE(page->IsSwitchedOff());
    EXPECT_TRUE(folder->IsSwitchedOff());

    w.refreshed.clear();
    page->SetMarks(kMarkSwitchedOn);
    EXPECT_FALSE(folder->IsSwitchedOff());
    EXPECT_EQ(kMarkSwitchedOn, folder->derivedMarks);
    EXPECT_EQ((std::vector<std::string>{"page", "folder", ""}), w.refreshed);

    w.refreshed.clear();
    page->SetMarks(kMarkSwitchedOn);
    EXPECT_TRUE(w.refreshed.empty());

    page->ClearMarks(kMarkSwitchedOn);
    EXPECT_TRUE(folder->IsSwitchedOff());
    EXPECT_EQ((std::vector<std::string>{"page", "folder", ""}), w.refreshed);
}

TEST(ItemMarks, SettingStopsAtTheFirstAncestorThatHasTheBits) {
    WatchedList w;
    ItemNode* outer = Add(w.list, "outer", "");
    ItemNode* inner = Add(*outer, "inner", "");
    ItemNode* a = Add(*inner, "a", "http://a.example/");
    ItemNode* b = Add(*inner, "b", "http://b.example/");
    w.list.RecomputeMarks();
    a->SetMarks(kMarkUnseen);
    EXPECT_TRUE(outer->HasUnseen());
    w.refreshed.clear();
    b->SetMarks(kMarkUnseen);
    EXPECT_EQ(std::vector<std::string>{"b"}, w.refreshed);

    // Clearing one of two unseen pages leaves the folders as they were.
    w.refreshed.clear();
    a->ClearMarks(kMarkUnseen);
    EXPECT_EQ(std::vector<std::string>{"a"}, w.refreshed);
    EXPECT_TRUE(inner->HasUnseen());
    b->ClearMarks(kMarkUnseen);
    EXPECT_FALSE(inner->HasUnseen());
    EXPECT_FALSE(outer->HasUnseen());
    EXPECT_TRUE(outer->derivedMarks & kMarkSwitchedOn);
}

TEST(ItemMarks, RecomputeRefreshesOnlyChangedNodes) {
    WatchedList w;
    ItemNode* folder = Add(w.list, "folder", "");
    ItemNode* quiet = Add(w.list, "quiet", "");
    Add(*folder, "page", "http://a.example/", kMarkBits);
    Add(*quiet, "off", "http://b.example/", 0);
    quiet->derivedMarks = 0;
    folder->derivedMarks = kMarkSwitchedOn;
    w.list.RecomputeMarks();
    EXPECT_EQ(kMarkBits, folder->derivedMarks);
    EXPECT_EQ(0, quiet->derivedMarks);
    EXPECT_EQ((std::vector<std::string>{"folder", ""}), w.refreshed);
}

TEST(ItemNode, CloneCopiesPropertiesButNotChildrenChecksOrFrames) {
    ItemNode original;
    original.properties.name = "n";
    original.properties.address = "http://a.example/";
    original.properties.color = 0x123456;
    original.title = "t";
    original.marks = 0xFF03;
    original.derivedMarks = 0x0102;
    original.copyCharset = 4;
    original.copyNumber = 17;
    original.checks.Append(new CheckNode(5));
    original.frames.reset(new _HtmlFrameNode);
    Add(original, "child", "http://c.example/");

    std::unique_ptr<ItemNode> copy(original.Clone());
    EXPECT_EQ("n", copy->properties.name);
    EXPECT_EQ("http://a.example/", copy->properties.address);
    EXPECT_EQ(0x123456u, copy->properties.color);
    EXPECT_EQ("t", copy->title);
    EXPECT_EQ(3, copy->marks);
    EXPECT_EQ(2, copy->derivedMarks);
    EXPECT_EQ(4, copy->copyCharset);
    EXPECT_EQ(0, copy->copyNumber);
    EXPECT_TRUE(copy->checks.IsEmpty());
    EXPECT_FALSE(copy->frames);
    EXPECT_TRUE(copy->IsEmpty());
}

TEST(ItemNode, IsProtectedTreeIsFalseWhenAnythingBelowIsProtected) {
    ItemNode folder;
    ItemNode* sub = Add(folder, "sub", "");
    ItemNode* page = Add(*sub, "page", "http://a.example/");
    EXPECT_TRUE(folder.IsProtectedTree());
    page->properties.flags |= kFlagProtected;
    EXPECT_FALSE(folder.IsProtectedTree());
    EXPECT_FALSE(page->IsProtectedTree());
    page->properties.flags &= ~kFlagProtected;
    folder.properties.flags |= kFlagProtected;
    EXPECT_FALSE(folder.IsProtectedTree());
    EXPECT_TRUE(sub->IsProtectedTree());
}

TEST(ItemNode, DisplayNameFallsBackToTitleServerAndAddress) {
    ItemNode n;
    n.properties.address = "mailto:me\x07home:pw@pop.example:110";
    EXPECT_EQ("pop.example", n.DisplayName());
    n.title = "Inbox";
    EXPECT_EQ("Inbox", n.DisplayName());
    n.properties.name = "Mine";
    EXPECT_EQ("Mine", n.DisplayName());
    ItemNode page;
    page.properties.address = "http://a.example/";
    EXPECT_EQ("http://a.example/", page.DisplayName());
}

TEST(ItemNode, FrameAggregates) {
    ItemNode page;
    page.properties.address = "http://frames.example/";
    EXPECT_TRUE(page.FramesComplete());
    EXPECT_EQ(0, page.FrameResult());

    page.frames.reset(new _HtmlFrameNode);
    auto* a = new _HtmlFrameNode;
    auto* set = new _HtmlFrameNode;
    auto* b = new _HtmlFrameNode;
    page.frames->Append(a);
    page.frames->Append(set);
    set->Append(b);

    a->state = kCheckDownloading;
    EXPECT_FALSE(page.FramesComplete());
    page.AggregateFrameState();
    EXPECT_EQ(1, page.state);

    a->state = kCheckIdle;
    a->mode = 2;
    b->state = kCheckFailed;
    b->lastError = 12007;
    b->detail = 4;
    b->mode = 1;
    EXPECT_TRUE(page.FramesComplete());
    EXPECT_EQ(2, page.FrameResult());
    page.AggregateFrameState();
    EXPECT_EQ(-1, page.state);
    EXPECT_EQ(12007, page.lastError);
    EXPECT_EQ(4, page.detail);

    b->mode = -1;
    EXPECT_EQ(-1, page.FrameResult());
    b->state = kCheckComparing;
    EXPECT_FALSE(page.FramesComplete());
    page.frames->mode = 3;  // the page's own frame structure changed
    b->mode = 0;
    EXPECT_EQ(3, page.FrameResult());
}

TEST(ItemNode, LiveCounterFollowsConstructionAndDestruction) {
    long before = ItemNode::LiveCount();
    {
        ItemList list;
        ItemNode* folder = Add(list, "f", "");
        Add(*folder, "p", "http://a.example/");
        EXPECT_EQ(before + 3, ItemNode::LiveCount());
        std::unique_ptr<ItemNode> copy(folder->Clone());
        EXPECT_EQ(before + 4, ItemNode::LiveCount());
    }
    EXPECT_EQ(before, ItemNode::LiveCount());
}
