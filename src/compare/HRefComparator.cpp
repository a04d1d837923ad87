#include "compare/HRefComparator.h"

#include <cstring>

#include "compare/IndexedWalkOps.h"
#include "html/ParaText.h"
#include "html/TextPosition.h"
#include "watchlist/CheckNode.h"

bool HRefCompareItem::IsEqual(const CompareItem* other) const {
    auto* o = static_cast<const HRefCompareItem*>(other);
    if (!position || !o->position) return !position && !o->position;
    return length == o->length && std::memcmp(value, o->value, length) == 0;
}

HRefItemStream::HRefItemStream(const ParaText& paragraph) : paragraph_(paragraph) {
    for (TextPosition* pos = paragraph.Positions().First(); pos; pos = pos->NextPos()) {
        if (pos->Kind() != kHRefKind) continue;
        auto* link = static_cast<HtmlHRef*>(pos);
        const char* href = link->Href();
        if (!link->IsOpening() || !href || !*href) continue;
        Append(link, href, static_cast<uint32_t>(std::strlen(href)));
    }
    Append(nullptr, nullptr, 0);
    index_.Seal();
}

void HRefItemStream::Append(HtmlHRef* position, const char* value, uint32_t length) {
    auto* item =
        new HRefCompareItem(position, value, length, static_cast<uint32_t>(byIndex_.size()));
    items_.Append(item);
    byIndex_.push_back(item);
    index_.Add(position ? KeyHash(value, length) : kSentinelKey);
}

// Runs the comparison over the concrete link streams: a probe looks up the
// links of its value in the stream's key index. Match is one pair of equal
// links (MatchRun over one pair), so a probe accepts exactly the equal ones.
class HRefWalkOps : public IndexedWalkOps<HRefWalkOps, HRefItemStream, HRefCompareItem> {
  public:
    HRefWalkOps(HRefComparator& c, HRefItemStream& o, HRefItemStream& n)
        : IndexedWalkOps(o, n), comparator_(c) {}

    static bool Equal(const Item* a, const Item* b) { return a->IsEqual(b); }
    static bool Match(const Item* a, const Item* b) { return a->IsEqual(b); }
    void OnEqual(Item*, Item*, Item*, Item*) {}
    int OnDifference(Item*, Item*, Item* b0, Item* b1) {
        comparator_.RecordLinks(b0, b1);
        return 0;
    }

  private:
    HRefComparator& comparator_;
};

int HRefComparator::OnDifference(CompareItemStream&, CompareItem*, CompareItem*, CompareItemStream&,
                                 CompareItem* newFirst, CompareItem* newEnd) {
    RecordLinks(HRefItemStream::AsItem(newFirst), HRefItemStream::AsItem(newEnd));
    return 0;
}

void HRefComparator::RecordLinks(HRefCompareItem* first, HRefCompareItem* end) {
    for (HRefCompareItem* item = first; item && item != end; item = item->NextItem()) {
        if (!item->position || !results_) continue;
        auto* change = new ChangeNode;
        change->link.Assign(item->value, item->length);
        results_->Append(change);
    }
    differs_ = 1;
}

int HRefComparator::Run() {
    HRefItemStream oldStream(old_), newStream(new_);
    differs_ = 0;
    HRefWalkOps ops(*this, oldStream, newStream);
    SequenceWalk<HRefWalkOps>(ops, differences_).Compare();
    return 0;
}

namespace {
bool HasLinkPosition(const ParaText& p) {
    return p.FirstPosition(kHRefKind) != nullptr;
}
}  // namespace

int CompareLinks(const ParaText& oldParagraph, const ParaText& newParagraph,
                 ListOf<ChangeNode>* results) {
    // Two paragraphs without links have equal (empty) link sequences.
    if (!HasLinkPosition(oldParagraph) && !HasLinkPosition(newParagraph)) return 0;
    HRefComparator comparator(oldParagraph, newParagraph, results);
    if (comparator.Run() != 0) return -1;
    return comparator.Differs();
}
