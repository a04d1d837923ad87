#pragma once
// The sequence comparator: walks an old and a new sequence of items and
// reports them as an alternation of equal runs and differing regions. At a
// mismatch it searches, ring by ring, for the nearest pair of positions that
// the subclass accepts as being back in step (greedy, not an LCS search).
#include <cstdint>

// One element of a sequence.
class CompareItem {
  public:
    virtual ~CompareItem() = default;
    virtual bool IsEqual(const CompareItem* other) const = 0;
};

// A sequence of items. The streams of this system end with a sentinel item
// that is equal only to another sentinel and is the one item for which
// IsLast holds.
class CompareItemStream {
  public:
    virtual ~CompareItemStream() = default;
    virtual CompareItem* First() = 0;
    // The item after `item`, null after the last.
    virtual CompareItem* Next(CompareItem* item) = 0;
    virtual bool IsLast(CompareItem* item) = 0;
    // Told that the comparator has moved its position to `item`; lets a
    // stream load or release item data lazily.
    virtual void OnCurrent(CompareItem* item) {}

    void SetCurrent(CompareItem* item) {
        if (item == current_) return;
        current_ = item;
        OnCurrent(item);
    }
    CompareItem* Current() const { return current_; }

  private:
    CompareItem* current_ = nullptr;
};

// A run is given as its first item and an end item that is not part of it
// (first == end: an empty run); its items follow from first by Next.
class StreamComparator {
  public:
    virtual ~StreamComparator() = default;
    // Whether (a, b) is a point where the two sequences are back in step.
    virtual bool Match(CompareItemStream& oldStream, CompareItemStream& newStream, CompareItem* a,
                       CompareItem* b) = 0;
    // An equal run; the result is ignored.
    virtual int OnEqual(CompareItemStream& oldStream, CompareItem* oldFirst, CompareItem* oldEnd,
                        CompareItemStream& newStream, CompareItem* newFirst, CompareItem* newEnd) {
        return 0;
    }
    // A differing region; non-zero aborts the comparison.
    virtual int OnDifference(CompareItemStream& oldStream, CompareItem* oldFirst,
                             CompareItem* oldEnd, CompareItemStream& newStream,
                             CompareItem* newFirst, CompareItem* newEnd) = 0;

    // -1 when OnDifference aborted, 1 when a difference was found, 0 when the
    // sequences are equal. Allocates nothing.
    int Compare(CompareItemStream& oldStream, CompareItemStream& newStream);

    // For Match implementations: true when n consecutive pairs from (a, b)
    // are equal, or both streams end together within them.
    static bool MatchRun(CompareItemStream& oldStream, CompareItemStream& newStream, CompareItem* a,
                         CompareItem* b, int n);

    int32_t DifferenceCount() const { return differences_; }

  protected:
    int32_t differences_ = 0;
};
