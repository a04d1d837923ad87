#include "compare/HRefComparator.h"

#include <cstring>

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
        items_.Append(new HRefCompareItem(link, href, static_cast<uint32_t>(std::strlen(href))));
    }
    items_.Append(new HRefCompareItem(nullptr, nullptr, 0));
}

int HRefComparator::OnDifference(CompareItemStream&, CompareItem*, CompareItem*, CompareItemStream&,
                                 CompareItem* newFirst, CompareItem* newEnd) {
    for (CompareItem* i = newFirst; i && i != newEnd; i = HRefItemStream::AsItem(i)->NextItem()) {
        HRefCompareItem* item = HRefItemStream::AsItem(i);
        if (!item->position || !results_) continue;
        auto* change = new ChangeNode;
        change->link.Assign(item->value, item->length);
        results_->Append(change);
    }
    differs_ = 1;
    return 0;
}

int HRefComparator::Run() {
    HRefItemStream oldStream(old_), newStream(new_);
    differs_ = 0;
    Compare(oldStream, newStream);
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
