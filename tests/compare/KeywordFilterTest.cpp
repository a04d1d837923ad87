#include "compare/KeywordFilter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Text1251.h"

namespace {

struct Change {
    std::string text;
    std::string link;
};

std::unique_ptr<CheckNode> MakeCheck(const std::vector<Change>& changes, int32_t result = 1) {
    auto check = std::make_unique<CheckNode>(1000);
    check->result = result;
    for (const Change& c : changes)
        check->changes.Append(new ChangeNode(c.text.c_str(), c.link.c_str()));
    return check;
}

std::vector<std::string> Texts(const CheckNode& check) {
    std::vector<std::string> out;
    for (ChangeNode* c = check.changes.First(); c; c = c->NextChange())
        out.emplace_back(c->text.c_str());
    return out;
}

// An object with the filter switched off, comparing text.
ItemProperties Open() {
    ItemProperties p;
    p.modify = kModeText;
    p.minchanged = -1;
    p.skipnumchars = -1;
    p.skipchanges = 0;
    return p;
}

using Texts_ = std::vector<std::string>;

}  // namespace

TEST(FilterChanges, WithoutOptionsEveryRecordStays) {
    ItemProperties p = Open();
    auto check = MakeCheck({{"a", ""}, {"", "http://x/"}});
    EXPECT_TRUE(FilterChanges(p, *check));
    EXPECT_EQ(2u, check->changes.Count());

    auto empty = MakeCheck({});
    EXPECT_FALSE(FilterChanges(p, *empty));
    auto level3 = MakeCheck({}, 3);
    EXPECT_TRUE(FilterChanges(p, *level3));
}

TEST(FilterChanges, KeywordsWithoutRegardToCaseCyrillicIncluded) {
    ItemProperties p = Open();
    p.keywords = W("Цена").c_str();
    auto check = MakeCheck({{W("новая ЦЕНА: 10"), ""}, {W("скидка"), ""}});
    EXPECT_TRUE(FilterChanges(p, *check));
    EXPECT_EQ(Texts_({W("новая ЦЕНА: 10")}), Texts(*check));

    p.modify = kModeNone;  // keywords need a mode that names what to search
    auto none = MakeCheck({{W("новая ЦЕНА: 10"), ""}});
    EXPECT_FALSE(FilterChanges(p, *none));
    EXPECT_TRUE(none->changes.IsEmpty());
}

TEST(FilterChanges, LinkModeSearchesTheLink) {
    ItemProperties p = Open();
    p.modify = kModeLinks;
    p.keywords = "pdf";
    auto check = MakeCheck({{"report", "http://h/doc.PDF"}, {"pdf here", "http://h/a.htm"}});
    EXPECT_TRUE(FilterChanges(p, *check));
    EXPECT_EQ(Texts_({"report"}), Texts(*check));
}

TEST(FilterChanges, SkipKeywordsLengthAndLetters) {
    ItemProperties p = Open();
    p.skipkeywords = "'last update', counter";
    auto skip = MakeCheck({{"Last Update: today", ""}, {"COUNTER 5", ""}, {"news", ""}});
    EXPECT_TRUE(FilterChanges(p, *skip));
    EXPECT_EQ(Texts_({"news"}), Texts(*skip));

    p = Open();
    p.skipnumchars = 10;
    auto shortText = MakeCheck({{W("Итого: 5"), ""}, {"ten bytes!", ""}});
    EXPECT_TRUE(FilterChanges(p, *shortText));
    EXPECT_EQ(Texts_({"ten bytes!"}), Texts(*shortText));

    p = Open();
    p.skipchanges = 1;
    auto letters = MakeCheck({{"12:45 +3%", ""}, {W("12:45 снег"), ""}, {"", "l"}});
    EXPECT_TRUE(FilterChanges(p, *letters));
    EXPECT_EQ(Texts_({W("12:45 снег")}), Texts(*letters));

    p.skipchanges = 2;  // non-zero without bit 0: only empty texts go
    auto digits = MakeCheck({{"12:45 +3%", ""}, {"", "l"}});
    EXPECT_TRUE(FilterChanges(p, *digits));
    EXPECT_EQ(Texts_({"12:45 +3%"}), Texts(*digits));
}

TEST(FilterChanges, MinChangedDiscardsTheCheck) {
    ItemProperties p = Open();
    p.minchanged = 3;
    auto two = MakeCheck({{"a", ""}, {"b", ""}});
    EXPECT_FALSE(FilterChanges(p, *two));
    auto three = MakeCheck({{"a", ""}, {"b", ""}, {"c", ""}});
    EXPECT_TRUE(FilterChanges(p, *three));
}

TEST(FilterChanges, AnEmptyQuotedKeywordIsFoundEverywhere) {
    ItemProperties p = Open();
    p.keywords = "''";
    KeywordFilter filter(p);
    ASSERT_EQ(1u, filter.Keywords().Count());
    EXPECT_TRUE(filter.AcceptChange(ChangeNode("", "")));
    EXPECT_TRUE(filter.AcceptChange(ChangeNode("anything", "")));
}
