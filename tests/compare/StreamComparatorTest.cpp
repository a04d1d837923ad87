#include "compare/StreamComparator.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AllocationCounter.h"
#include "framework/List.h"

namespace {

// One letter of a test sequence; the sentinel has no letter.
struct Letter : CompareItem, Node {
    Letter(char c, int index, bool sentinel) : c(c), index(index), sentinel(sentinel) {}
    bool IsEqual(const CompareItem* other) const override {
        auto* o = static_cast<const Letter*>(other);
        return sentinel == o->sentinel && (sentinel || c == o->c);
    }
    char c;
    int index;
    bool sentinel;
};

class LetterStream : public CompareItemStream {
  public:
    explicit LetterStream(const std::string& letters) {
        int i = 0;
        for (char c : letters) items_.Append(new Letter(c, i++, false));
        items_.Append(new Letter(0, i, true));
    }
    CompareItem* First() override { return static_cast<Letter*>(items_.First()); }
    CompareItem* Next(CompareItem* item) override {
        return static_cast<Letter*>(AsLetter(item)->Next());
    }
    bool IsLast(CompareItem* item) override { return AsLetter(item)->Next() == nullptr; }
    void OnCurrent(CompareItem* item) override { ++currentCalls; }

    static Letter* AsLetter(CompareItem* item) { return static_cast<Letter*>(item); }
    int currentCalls = 0;

  private:
    ListOf<Letter> items_;
};

// Letters of a run, e.g. "xy"; the sentinel is not part of any run.
std::string RunText(CompareItemStream& s, CompareItem* first, CompareItem* end) {
    std::string text;
    for (CompareItem* i = first; i != end; i = s.Next(i)) text += LetterStream::AsLetter(i)->c;
    return text;
}

// Records the runs and regions as "=old|new" and "!old|new".
class Recorder : public StreamComparator {
  public:
    using MatchRule =
        std::function<bool(CompareItemStream&, CompareItemStream&, CompareItem*, CompareItem*)>;
    explicit Recorder(MatchRule rule) : rule_(std::move(rule)) {}

    bool Match(CompareItemStream& o, CompareItemStream& n, CompareItem* a,
               CompareItem* b) override {
        return rule_(o, n, a, b);
    }
    int OnEqual(CompareItemStream& o, CompareItem* a0, CompareItem* a1, CompareItemStream& n,
                CompareItem* b0, CompareItem* b1) override {
        events.push_back("=" + RunText(o, a0, a1) + "|" + RunText(n, b0, b1));
        return 0;
    }
    int OnDifference(CompareItemStream& o, CompareItem* a0, CompareItem* a1, CompareItemStream& n,
                     CompareItem* b0, CompareItem* b1) override {
        events.push_back("!" + RunText(o, a0, a1) + "|" + RunText(n, b0, b1));
        return abortAt > 0 && --abortAt == 0 ? 7 : 0;
    }

    std::vector<std::string> events;
    int abortAt = 0;  // abort on this difference (1-based); 0: never

  private:
    MatchRule rule_;
};

Recorder::MatchRule RunOf(int n) {
    return [n](CompareItemStream& o, CompareItemStream& s, CompareItem* a, CompareItem* b) {
        return StreamComparator::MatchRun(o, s, a, b, n);
    };
}

struct Outcome {
    int result;
    std::vector<std::string> events;
};

Outcome CompareLetters(const std::string& oldLetters, const std::string& newLetters,
                       Recorder::MatchRule rule = RunOf(1)) {
    LetterStream o(oldLetters), n(newLetters);
    Recorder r(std::move(rule));
    int result = r.Compare(o, n);
    return {result, r.events};
}

using Events = std::vector<std::string>;

}  // namespace

TEST(StreamComparator, EqualSequencesGiveOneRunAndNoDifference) {
    Outcome out = CompareLetters("abc", "abc");
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(Events({"=abc|abc"}), out.events);

    out = CompareLetters("", "");
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(Events({"=|"}), out.events);
}

TEST(StreamComparator, InsertionsAndRemovalsAtTheEnd) {
    Outcome out = CompareLetters("x", "xy");
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(Events({"=x|x", "!|y", "=|"}), out.events);

    out = CompareLetters("xy", "x");
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(Events({"=x|x", "!y|", "=|"}), out.events);

    out = CompareLetters("", "ab");
    EXPECT_EQ(Events({"!|ab", "=|"}), out.events);
}

TEST(StreamComparator, ReplacedItemsFormOneRegionBetweenEqualRuns) {
    Outcome out = CompareLetters("xpz", "xqz");
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(Events({"=x|x", "!p|q", "=z|z"}), out.events);

    out = CompareLetters("abXcdYe", "abcdZZe");
    EXPECT_EQ(Events({"=ab|ab", "!X|", "=cd|cd", "!Y|ZZ", "=e|e"}), out.events);
}

TEST(StreamComparator, MatchRunNeedsTheWholeRunToResynchronise) {
    // With runs of 2, the lone equal "c" between the changes is no point of
    // resynchronisation, so both changes and the c are one region.
    Outcome out = CompareLetters("aXcYde", "aPcQde", RunOf(2));
    EXPECT_EQ(Events({"=a|a", "!XcY|PcQ", "=de|de"}), out.events);

    // A run cut short by the ends of both sequences still counts.
    out = CompareLetters("aXb", "aYb", RunOf(5));
    EXPECT_EQ(Events({"=a|a", "!X|Y", "=b|b"}), out.events);
}

TEST(StreamComparator, MatchRunWhereOneSequenceEndsFirst) {
    LetterStream o("ab"), n("abc");
    CompareItem* a = o.First();
    CompareItem* b = n.First();
    EXPECT_TRUE(StreamComparator::MatchRun(o, n, a, b, 2));
    EXPECT_FALSE(StreamComparator::MatchRun(o, n, a, b, 3));  // sentinel against c
    EXPECT_TRUE(StreamComparator::MatchRun(o, n, nullptr, b, 3));
    EXPECT_FALSE(StreamComparator::MatchRun(o, n, a, n.Next(b), 1));
}

TEST(StreamComparator, ResyncSearchVisitsRingsInOrder) {
    // Old and new differ everywhere; Match records the steps (i, j) from the
    // mismatch and accepts only the listed pairs.
    auto search = [](std::set<std::pair<int, int>> accepted,
                     std::vector<std::pair<int, int>>* visited) {
        LetterStream o("abcdef"), n("uvwxyz");
        Recorder r([&](CompareItemStream&, CompareItemStream&, CompareItem* a, CompareItem* b) {
            auto* x = LetterStream::AsLetter(a);
            auto* y = LetterStream::AsLetter(b);
            if (x->sentinel && y->sentinel) return true;
            std::pair<int, int> step(x->index, y->index);
            visited->push_back(step);
            return accepted.count(step) != 0;
        });
        r.Compare(o, n);
        return r.events.front();
    };
    std::vector<std::pair<int, int>> visited;
    EXPECT_EQ("!a|u", search({{1, 1}, {2, 0}, {0, 2}}, &visited));
    EXPECT_EQ("!ab|", search({{2, 0}, {0, 2}}, &visited));
    EXPECT_EQ("!|uv", search({{0, 2}}, &visited));

    visited.clear();
    search({{2, 1}}, &visited);
    // Ring 1, the mismatch itself, is not offered; (1, 1) is tried twice.
    std::vector<std::pair<int, int>> ring{{1, 0}, {1, 1}, {0, 1}, {1, 1},  // ring 2
                                          {2, 0}, {2, 1}};                 // ring 3
    ASSERT_GE(visited.size(), ring.size());
    visited.resize(ring.size());  // later searches of the same comparison
    EXPECT_EQ(ring, visited);
}

TEST(StreamComparator, NoResyncPointMakesOneRegionUpToTheEnds) {
    auto never = [](CompareItemStream&, CompareItemStream&, CompareItem*, CompareItem*) {
        return false;
    };
    Outcome out = CompareLetters("abXcd", "abYcd", never);
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(Events({"=ab|ab", "!Xcd|Ycd"}), out.events);
}

TEST(StreamComparator, AbortStopsAtOnceWithMinusOne) {
    LetterStream o("aXbYc"), n("aPbQc");
    Recorder r(RunOf(1));
    r.abortAt = 1;
    EXPECT_EQ(-1, r.Compare(o, n));
    EXPECT_EQ(Events({"=a|a", "!X|P"}), r.events);
    EXPECT_EQ(1, r.DifferenceCount());

    // Aborting on the final region, which has no resynchronisation point.
    LetterStream o2("aX"), n2("aY");
    Recorder never(
        [](CompareItemStream&, CompareItemStream&, CompareItem*, CompareItem*) { return false; });
    never.abortAt = 1;
    EXPECT_EQ(-1, never.Compare(o2, n2));
}

TEST(StreamComparator, CountsDifferencesAndMovesTheCurrentItem) {
    LetterStream o("aXbYc"), n("aPbQc");
    Recorder r(RunOf(1));
    EXPECT_EQ(1, r.Compare(o, n));
    EXPECT_EQ(2, r.DifferenceCount());
    EXPECT_TRUE(o.IsLast(o.Current()));
    EXPECT_TRUE(n.IsLast(n.Current()));

    LetterStream s("a");
    s.SetCurrent(s.First());
    s.SetCurrent(s.First());
    EXPECT_EQ(1, s.currentCalls);
}

namespace {
// Counts regions without allocating.
class RegionCounter : public StreamComparator {
  public:
    bool Match(CompareItemStream& o, CompareItemStream& n, CompareItem* a,
               CompareItem* b) override {
        return MatchRun(o, n, a, b, 2);
    }
    int OnDifference(CompareItemStream&, CompareItem*, CompareItem*, CompareItemStream&,
                     CompareItem*, CompareItem*) override {
        return 0;
    }
};
}  // namespace

TEST(StreamComparator, AllocatesNothingWhileComparing) {
    LetterStream o("abcXdefYYghZijklmn"), n("abcPdefghQQijkmnR");
    RegionCounter r;
    int result = 0;
    size_t allocations = AllocationsDuring([&] { result = r.Compare(o, n); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(5, r.DifferenceCount());  // X/P, YY, Z/QQ, l, R
    EXPECT_EQ(0u, allocations);
}
