#pragma once
// The ops (see SequenceWalk.h) for two streams of concrete items that keep
// their items by position and a KeyIndex of them. A probe of the
// resynchronisation search looks up the items of the probed item's key and
// asks Match only of those, in ring order: Match must imply equal keys.
// Derived supplies static Equal and Match and the OnEqual and OnDifference
// of the ops.
#include <cstdint>

#include "compare/KeyIndex.h"
#include "compare/SequenceWalk.h"

template <class Derived, class Stream, class ItemT>
class IndexedWalkOps {
  public:
    using Item = ItemT;

    IndexedWalkOps(Stream& oldStream, Stream& newStream) : old_(oldStream), new_(newStream) {}

    Stream& Of(SequenceSide s) { return s == SequenceSide::kOld ? old_ : new_; }
    Item* First(SequenceSide s) { return Stream::AsItem(Of(s).First()); }
    Item* Next(SequenceSide, Item* x) { return x->NextItem(); }
    bool IsLast(SequenceSide, Item* x) { return x->Next() == nullptr; }
    void SetCurrent(SequenceSide s, Item* x) { Of(s).SetCurrent(x); }

    Item* FirstMatchInNew(Item* a, Item* y, int32_t count) {
        return FirstAccepted(new_, old_.Index().KeyAt(a->index), y, count,
                             [&](Item* b) { return Derived::Match(a, b); });
    }
    Item* FirstMatchInOld(Item* x, Item* b, int32_t count) {
        return FirstAccepted(old_, new_.Index().KeyAt(b->index), x, count,
                             [&](Item* a) { return Derived::Match(a, b); });
    }

  protected:
    Stream& old_;
    Stream& new_;

  private:
    // The first item among `count` from `from` whose key is `key` and which
    // `accept` takes, or null.
    template <class Accept>
    static Item* FirstAccepted(const Stream& stream, uint32_t key, const Item* from, int32_t count,
                               Accept accept) {
        uint64_t end = static_cast<uint64_t>(from->index) + static_cast<uint32_t>(count);
        int64_t found = stream.Index().Find(
            key, from->index, end, [&](uint32_t position) { return accept(stream.At(position)); });
        return found < 0 ? nullptr : stream.At(static_cast<uint32_t>(found));
    }
};
