// The paragraph comparison runs the algorithm over the streams' key arrays
// and passes runs of empty paragraphs in one step; it must report exactly
// what the plain virtual walk with a step-by-step Match reports.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "PageFixture.h"
#include "compare/HtmlComparator.h"
#include "compare/HtmlItemStream.h"
#include "compare/TableRows.h"
#include "watchlist/ItemProperties.h"

namespace {

// Paragraph texts from a small alphabet so that equal paragraphs and short
// runs recur often.
std::vector<std::string> RandomTexts(std::mt19937& rng, int count) {
    static const char* words[] = {
        "a", "bb", "ccc", "dddd", "Price", "12", "|", "x y z", "Latest news of today", "", "b"};
    std::uniform_int_distribution<int> pick(0, 10);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(words[pick(rng)]);
    return texts;
}

std::vector<std::string> Mutate(std::mt19937& rng, std::vector<std::string> texts) {
    std::uniform_int_distribution<int> op(0, 3);
    std::vector<std::string> extra = RandomTexts(rng, 40);
    for (int k = 0; k < 6 && !texts.empty(); ++k) {
        size_t at = std::uniform_int_distribution<size_t>(0, texts.size() - 1)(rng);
        switch (op(rng)) {
            case 0:
                texts.erase(texts.begin() + at);
                break;
            case 1:
                texts.insert(texts.begin() + at, extra[k]);
                break;
            case 2:
                texts[at] = extra[k + 10];
                break;
            default:
                texts.insert(texts.begin() + at, extra.begin() + 20, extra.begin() + 25);
        }
    }
    return texts;
}

// Match as the comparator defines it, one pair after the other.
class StepByStep : public HtmlComparator {
  public:
    using HtmlComparator::HtmlComparator;
    bool Match(CompareItemStream& o, CompareItemStream& n, CompareItem* a,
               CompareItem* b) override {
        int32_t bytes = 0;
        for (;;) {
            if (!a || !b) return false;
            if (o.IsLast(a) || n.IsLast(b)) return o.IsLast(a) && n.IsLast(b);
            if (!a->IsEqual(b)) return false;
            bytes += static_cast<int32_t>(HtmlItemStream::AsItem(a)->TextLength());
            if (bytes >= 10) return true;
            a = o.Next(a);
            b = n.Next(b);
        }
    }
};

struct Outcome {
    int result, level, differences;
    std::vector<RecordView> records;
};

Outcome ComparePair(const std::vector<std::string>& before, const std::vector<std::string>& after,
                    bool fast) {
    auto oldDoc = BuildPage(Paragraphs(before)), newDoc = BuildPage(Paragraphs(after));
    JoinTableRows(*oldDoc);
    JoinTableRows(*newDoc);
    HtmlItemStream o(*oldDoc), n(*newDoc);
    ListOf<ChangeNode> results;
    PageComparison what = InMemoryComparison(1);
    what.mode = kModeLinks;
    StepByStep c(what, &results);
    int result = fast ? c.CompareStreams(o, n) : c.Compare(o, n);
    return {result, c.ChangeLevel(), c.DifferenceCount(), Records(results)};
}

}  // namespace

TEST(CompareEquivalence, KeyScanReportsWhatTheVirtualWalkReports) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> before = RandomTexts(rng, 5 + round % 40);
        std::vector<std::string> after =
            round % 7 == 0 ? RandomTexts(rng, 30) : Mutate(rng, before);
        Outcome plain = ComparePair(before, after, false), fast = ComparePair(before, after, true);
        ASSERT_EQ(plain.result, fast.result) << round;
        ASSERT_EQ(plain.level, fast.level) << round;
        ASSERT_EQ(plain.differences, fast.differences) << round;
        ASSERT_EQ(plain.records, fast.records) << round;
    }
}

TEST(CompareEquivalence, RunsOfEmptyParagraphsMustBeEquallyLong) {
    // Joined rows of four and three cells leave three and two empty
    // paragraphs; they are no resynchronisation point for each other.
    std::vector<std::string> before{"Long opening paragraph",
                                    "<table><tr><td>p<td>q<td>r<td>s</table>",
                                    "Long closing paragraph"};
    std::vector<std::string> after{"Long opening paragraph", "<table><tr><td>p<td>q<td>r</table>",
                                   "Long closing paragraph"};
    Outcome plain = ComparePair(before, after, false), fast = ComparePair(before, after, true);
    EXPECT_EQ(1, plain.differences);
    EXPECT_EQ(1, fast.differences);
    EXPECT_EQ(plain.records, fast.records);
}

TEST(CompareEquivalence, ParagraphComparisonAllocatesNothingWithoutRecords) {
    std::vector<std::string> before{"Alpha paragraph", "Beta", "Gamma paragraph", "Delta"};
    std::vector<std::string> after{"Alpha paragraph", "Beta!", "Gamma paragraph", "Epsilon"};
    auto oldDoc = BuildPage(Paragraphs(before)), newDoc = BuildPage(Paragraphs(after));
    HtmlItemStream o(*oldDoc), n(*newDoc);
    HtmlComparator c(InMemoryComparison(1), nullptr);
    int result = 0;
    size_t allocations = AllocationsDuring([&] { result = c.CompareStreams(o, n); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(2, c.DifferenceCount());
    EXPECT_EQ(0u, allocations);
}
