#pragma once
// The comparison algorithm, written once over an "ops" type so that a
// comparator that knows its concrete streams can run it without a virtual
// call per probe. The ops type provides:
//   using Item;  enum sides kOld / kNew (SequenceSide)
//   Item* First(side); Item* Next(side, item); bool IsLast(side, item);
//   void SetCurrent(side, item); bool Equal(a, b);
//   Item* FirstMatchInNew(a, y, count)  first y' of the `count` items from y
//                                       (fewer at the stream's end) with
//                                       Match(a, y'), tried in order, or null
//   Item* FirstMatchInOld(x, b, count)  the same along the old stream
//   void OnEqual(oldFirst, oldEnd, newFirst, newEnd)
//   int OnDifference(oldFirst, oldEnd, newFirst, newEnd)
#include <cstdint>

enum class SequenceSide { kOld, kNew };

template <class Ops>
class SequenceWalk {
  public:
    using Item = typename Ops::Item;
    static constexpr SequenceSide kOld = SequenceSide::kOld;
    static constexpr SequenceSide kNew = SequenceSide::kNew;

    SequenceWalk(Ops& ops, int32_t& differences) : ops_(ops), differences_(differences) {}

    int Compare() {
        Item* a = ops_.First(kOld);
        Item* b = ops_.First(kNew);
        MakeCurrent(a, b);
        differences_ = 0;
        for (;;) {
            Item* runA = a;
            Item* runB = b;
            if (!WalkEqual(a, b)) {
                ops_.OnEqual(runA, a, runB, b);
                if (BothLast(a, b) || (a == runA && b == runB)) return differences_ ? 1 : 0;
                MakeCurrent(a, b);
                continue;
            }
            if (a != runA || b != runB) ops_.OnEqual(runA, a, runB, b);
            MakeCurrent(a, b);
            Item* regionA = a;
            Item* regionB = b;
            bool found = FindResync(a, b);
            ++differences_;
            if (!found) {
                if (BothLast(a, b)) return ops_.OnDifference(regionA, a, regionB, b) ? -1 : 1;
                return 1;
            }
            if (ops_.OnDifference(regionA, a, regionB, b)) return -1;
            MakeCurrent(a, b);
        }
    }

  private:
    void MakeCurrent(Item* a, Item* b) {
        ops_.SetCurrent(kOld, a);
        ops_.SetCurrent(kNew, b);
    }

    bool BothLast(Item* a, Item* b) {
        return a && b && ops_.IsLast(kOld, a) && ops_.IsLast(kNew, b);
    }

    // Steps along equal pairs; true at a mismatch, with the cursors on the
    // first differing pair (a stream that ran out stands on its last item).
    bool WalkEqual(Item*& a, Item*& b) {
        bool oldOut = false, newOut = false;
        while (a) {
            if (!b || oldOut) break;
            if (newOut) return true;
            if (!ops_.Equal(a, b)) return true;
            MakeCurrent(a, b);
            if (ops_.IsLast(kOld, a))
                oldOut = true;
            else
                a = ops_.Next(kOld, a);
            if (ops_.IsLast(kNew, b))
                newOut = true;
            else
                b = ops_.Next(kNew, b);
        }
        return oldOut != newOut;
    }

    // Moves a cursor one item on; a cursor on the last item stays and the
    // stream counts as run out.
    void Step(SequenceSide side, Item*& x, bool& ranOut) {
        if (ops_.IsLast(side, x)) {
            ranOut = true;
            return;
        }
        Item* next = ops_.Next(side, x);
        if (next)
            x = next;
        else
            ranOut = true;
    }

    // Searches rings of growing size around the mismatch (a0, b0): ring k
    // holds the pairs whose larger distance from it is k - 1, first those
    // with old distance k - 1 by new distance, then those with new distance
    // k - 1 by old distance. Ring 1 is the mismatching pair itself; accepting
    // it would make an empty region and no progress, so it is not offered.
    bool FindResync(Item*& a, Item*& b) {
        Item* const a0 = a;
        Item* const b0 = b;
        bool oldOut = false, newOut = false;
        for (int32_t k = 1; a; ++k) {
            if (!b || (oldOut && newOut)) return false;
            if (k > 1) {
                if (Item* y = oldOut ? nullptr : ops_.FirstMatchInNew(a, b0, k)) {
                    b = y;
                    return true;
                }
                if (Item* x = newOut ? nullptr : ops_.FirstMatchInOld(a0, b, k)) {
                    a = x;
                    return true;
                }
            }
            Step(kOld, a, oldOut);
            Step(kNew, b, newOut);
        }
        return false;
    }

    Ops& ops_;
    int32_t& differences_;
};
