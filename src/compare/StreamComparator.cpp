#include "compare/StreamComparator.h"

#include "compare/SequenceWalk.h"

namespace {

// Runs the algorithm through the virtual operations of any comparator and
// pair of streams.
class VirtualOps {
  public:
    using Item = CompareItem;

    VirtualOps(StreamComparator& c, CompareItemStream& o, CompareItemStream& n)
        : comparator_(c), old_(o), new_(n) {}

    CompareItemStream& Stream(SequenceSide s) { return s == SequenceSide::kOld ? old_ : new_; }
    Item* First(SequenceSide s) { return Stream(s).First(); }
    Item* Next(SequenceSide s, Item* x) { return Stream(s).Next(x); }
    bool IsLast(SequenceSide s, Item* x) { return Stream(s).IsLast(x); }
    void SetCurrent(SequenceSide s, Item* x) { Stream(s).SetCurrent(x); }
    bool Equal(Item* a, Item* b) { return a->IsEqual(b); }

    Item* FirstMatchInNew(Item* a, Item* y, int32_t count) {
        for (int32_t j = 0; j < count && y; ++j, y = new_.Next(y))
            if (comparator_.Match(old_, new_, a, y)) return y;
        return nullptr;
    }
    Item* FirstMatchInOld(Item* x, Item* b, int32_t count) {
        for (int32_t i = 0; i < count && x; ++i, x = old_.Next(x))
            if (comparator_.Match(old_, new_, x, b)) return x;
        return nullptr;
    }

    void OnEqual(Item* a0, Item* a1, Item* b0, Item* b1) {
        comparator_.OnEqual(old_, a0, a1, new_, b0, b1);
    }
    int OnDifference(Item* a0, Item* a1, Item* b0, Item* b1) {
        return comparator_.OnDifference(old_, a0, a1, new_, b0, b1);
    }

  private:
    StreamComparator& comparator_;
    CompareItemStream& old_;
    CompareItemStream& new_;
};

}  // namespace

int StreamComparator::Compare(CompareItemStream& oldStream, CompareItemStream& newStream) {
    VirtualOps ops(*this, oldStream, newStream);
    return SequenceWalk<VirtualOps>(ops, differences_).Compare();
}

bool StreamComparator::MatchRun(CompareItemStream& oldStream, CompareItemStream& newStream,
                                CompareItem* a, CompareItem* b, int n) {
    if (!a) return true;
    bool oldOut = false, newOut = false;
    for (int count = 0; a; ++count) {
        if (!b || oldOut) break;
        if (newOut) return false;
        if (!a->IsEqual(b)) return false;
        if (count + 1 >= n) return true;
        if (oldStream.IsLast(a))
            oldOut = true;
        else
            a = oldStream.Next(a);
        if (newStream.IsLast(b))
            newOut = true;
        else
            b = newStream.Next(b);
    }
    return oldOut == newOut;
}
