// Searching the result pane: matching by case and whole word in both text
// forms, the history's order and limit, and the walk that wraps once and
// ends at its start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/TreeViewNode.h"
#include "panes/SearchText.h"

namespace {

const SearchSwitches kAnyCase{false, false};
const SearchSwitches kCase{true, false};
const SearchSwitches kWord{false, true};

TEST(SearchText, CaseIsFoldedUnlessAskedInBothTextForms) {
    EXPECT_TRUE(TextContains("Weather Report", "REPORT", kAnyCase));
    EXPECT_FALSE(TextContains("Weather Report", "REPORT", kCase));
    EXPECT_TRUE(TextContains("Weather Report", "Report", kCase));
    // 1251 bytes of "Погода" found by a UTF-8 needle and the other way round.
    EXPECT_TRUE(
        TextContains("\xcf\xee\xe3\xee\xe4\xe0 today", "\xd0\xbf\xd0\xbe\xd0\x93", kAnyCase));
    EXPECT_TRUE(
        TextContains("\xd0\x9f\xd0\xbe\xd0\xb3\xd0\xbe\xd0\xb4\xd0\xb0", "\xcf\xce\xc3", kAnyCase));
    EXPECT_FALSE(TextContains("\xd0\x9f\xd0\xbe\xd0\xb3", "\xef\xee\xe3", kCase));
    EXPECT_FALSE(TextContains("anything", "", kAnyCase));
}

TEST(SearchText, WholeWordStopsAtLettersDigitsAndUnderscoreOnly) {
    EXPECT_FALSE(TextContains("rainfall", "rain", kWord));
    EXPECT_FALSE(TextContains("rain2", "rain", kWord));
    EXPECT_FALSE(TextContains("rain_x", "rain", kWord));
    EXPECT_FALSE(TextContains("xrain", "rain", kWord));
    EXPECT_TRUE(TextContains("rain-fall", "rain", kWord));
    EXPECT_TRUE(TextContains("heavy rain", "RAIN", kWord));
    EXPECT_TRUE(TextContains("rainfall, then rain.", "rain", kWord)) << "a later hit counts";
    // A Cyrillic letter is a word character too.
    EXPECT_FALSE(TextContains("rain\xe4", "rain", kWord));
}

TEST(SearchHistory, TwelveAtMostMostRecentFirstNeverTwice) {
    std::vector<AStr> history;
    for (int i = 1; i <= 13; ++i) RememberSearch(history, AStr(std::to_string(i).c_str()));
    ASSERT_EQ(12u, history.size());
    EXPECT_STREQ("13", history.front().c_str());
    EXPECT_STREQ("2", history.back().c_str()) << "the thirteenth pushed the oldest out";
    // The oldest goes before the repeated text moves up: a full history
    // searched again for one of its texts keeps eleven.
    RememberSearch(history, "7");
    EXPECT_EQ(11u, history.size());
    EXPECT_STREQ("3", history.back().c_str());
    EXPECT_STREQ("7", history.front().c_str());
    EXPECT_STREQ("13", history[1].c_str());

    std::vector<AStr> list = SearchDialogList(history, "5");
    EXPECT_EQ(11u, list.size()) << "moved to the top, not added";
    EXPECT_STREQ("5", list.front().c_str());
    EXPECT_EQ(history.size(), SearchDialogList(history, "").size());
    EXPECT_STREQ("new", SearchDialogList(history, "new").front().c_str());
}

class SearchWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        // root: check1 (change a, change b), check2 (change c)
        check1 = Add(root, "Check 1");
        a = Add(*check1, "storm warning");
        b = Add(*check1, "calm");
        check2 = Add(root, "Check 2");
        c = Add(*check2, "storm over");
    }
    static TreeViewNode* Add(TreeViewNode& parent, const char* text) {
        auto* n = new TreeViewNode(text);
        parent.Append(n);
        return n;
    }
    SearchOutcome Find(TreeViewNode* caret, const char* needle, bool wrap = true) {
        asked = 0;
        return FindInTree(root, caret, needle, kAnyCase, [&] {
            ++asked;
            return wrap;
        });
    }
    TreeViewNode root;
    TreeViewNode *check1, *a, *b, *check2, *c;
    int asked = 0;
};

TEST_F(SearchWalk, ForwardFromTheCaretInTreeOrder) {
    EXPECT_EQ(a, Find(nullptr, "storm").found) << "from the first child, which is not tested";
    EXPECT_EQ(c, Find(a, "storm").found);
    EXPECT_EQ(check2, Find(b, "check").found);
    EXPECT_EQ(0, asked);
}

TEST_F(SearchWalk, WrapsOnYesAndEndsAtTheStartWhenOnlyTheStartMatches) {
    SearchOutcome wrapped = Find(c, "warning");
    EXPECT_EQ(a, wrapped.found);
    EXPECT_EQ(1, asked);
    SearchOutcome only = Find(b, "calm");
    EXPECT_EQ(nullptr, only.found);
    EXPECT_TRUE(only.searchedAll) << "the start node itself is never tested";
    SearchOutcome refused = Find(c, "warning", false);
    EXPECT_EQ(nullptr, refused.found);
    EXPECT_FALSE(refused.searchedAll);
    TreeViewNode empty;
    EXPECT_EQ(nullptr, FindInTree(empty, nullptr, "x", kAnyCase, [] { return true; }).found);
}

}  // namespace
