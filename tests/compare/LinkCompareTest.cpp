#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "PageFixture.h"
#include "compare/HRefComparator.h"

namespace {

using Recs = std::vector<RecordView>;

// The links of the first paragraph of each page.
struct LinkResult {
    int differs;
    Recs records;
};

LinkResult CompareFirstParagraphs(const std::string& oldMarkup, const std::string& newMarkup) {
    auto oldDoc = BuildPage(oldMarkup), newDoc = BuildPage(newMarkup);
    Paragraph* o = FirstParagraph(&oldDoc->Root());
    Paragraph* n = FirstParagraph(&newDoc->Root());
    EXPECT_TRUE(o && n);
    if (!o || !n) return {-2, {}};
    ListOf<ChangeNode> results;
    int differs = CompareLinks(*o, *n, &results);
    return {differs, Records(results)};
}

// One paragraph holding a link per value: "<a href=v>t</a>" each.
std::string LinksTo(const std::vector<std::string>& values) {
    std::string markup = "<p>";
    for (const std::string& v : values) markup += "<a href='" + v + "'>t</a> ";
    return markup;
}

}  // namespace

TEST(LinkCompare, AddedRemovedAndSwappedLinks) {
    LinkResult same = CompareFirstParagraphs(LinksTo({"a", "b"}), LinksTo({"a", "b"}));
    EXPECT_EQ(0, same.differs);
    EXPECT_TRUE(same.records.empty());

    LinkResult added = CompareFirstParagraphs(LinksTo({"a"}), LinksTo({"a", "c"}));
    EXPECT_EQ(1, added.differs);
    EXPECT_EQ(Recs({{"", "c"}}), added.records);

    LinkResult removed = CompareFirstParagraphs(LinksTo({"a", "b"}), LinksTo({"a"}));
    EXPECT_EQ(1, removed.differs);
    EXPECT_TRUE(removed.records.empty());

    // Resynchronised on b: a is removed before it and added after it.
    LinkResult swapped = CompareFirstParagraphs(LinksTo({"a", "b"}), LinksTo({"b", "a"}));
    EXPECT_EQ(1, swapped.differs);
    EXPECT_EQ(Recs({{"", "a"}}), swapped.records);
}

TEST(LinkCompare, OnlyAnchorsWithAnHrefAreLinks) {
    LinkResult r = CompareFirstParagraphs("<p><a href='a'>x</a> <a name='n'>y</a> <a href=''>z</a>",
                                          "<p><a href='a'>x</a> <a>y</a> <a name='m'>z</a>");
    EXPECT_EQ(0, r.differs);
    EXPECT_TRUE(r.records.empty());
}

TEST(LinkCompare, LetterCaseMatters) {
    LinkResult r = CompareFirstParagraphs(LinksTo({"Page.htm"}), LinksTo({"page.htm"}));
    EXPECT_EQ(1, r.differs);
    EXPECT_EQ(Recs({{"", "page.htm"}}), r.records);
}

TEST(LinkCompare, KeyIndexReportsWhatTheVirtualWalkReports) {
    std::mt19937 rng(77);
    const char* values[] = {"a", "b", "c", "d", "e"};
    auto randomLinks = [&](int count) {
        std::vector<std::string> links;
        for (int i = 0; i < count; ++i) links.push_back(values[rng() % 5]);
        return links;
    };
    for (int round = 0; round < 150; ++round) {
        auto oldDoc = BuildPage(LinksTo(randomLinks(1 + round % 30)));
        auto newDoc = BuildPage(LinksTo(randomLinks(1 + round % 23)));
        Paragraph* o = FirstParagraph(&oldDoc->Root());
        Paragraph* n = FirstParagraph(&newDoc->Root());
        ASSERT_TRUE(o && n);

        ListOf<ChangeNode> viaIndex, viaVirtual;
        HRefComparator fast(*o, *n, &viaIndex);
        fast.Run();
        HRefComparator plain(*o, *n, &viaVirtual);
        HRefItemStream os(*o), ns(*n);
        plain.Compare(os, ns);
        ASSERT_EQ(plain.Differs(), fast.Differs()) << round;
        ASSERT_EQ(plain.DifferenceCount(), fast.DifferenceCount()) << round;
        ASSERT_EQ(Records(viaVirtual), Records(viaIndex)) << round;
    }
}
