#include "watchlist/CheckNode.h"

#include "stream/ListStore.h"
#include "stream/BinIo.h"
#include "watchlist/ItemNode.h"

int ChangeNode::Save(owstream& os) const {
    return WriteString(os, text) < 0 || WriteString(os, link) < 0 ? -1 : 0;
}

int ChangeNode::Load(iwstream& is, int) {
    return ReadString(is, text) < 0 || ReadString(is, link) < 0 ? -1 : 0;
}

int CheckNode::Save(owstream& os) const {
    if (WriteU32(os, time) < 0 || WriteU8(os, static_cast<uint8_t>(result)) < 0 ||
        WriteU8(os, expanded ? 1 : 0) < 0)
        return -1;
    return SaveList(os, changes);
}

int CheckNode::Load(iwstream& is, int version) {
    uint8_t r = 0, e = 0;
    if (ReadU32(is, &time) < 0 || ReadU8(is, &r) < 0 || ReadU8(is, &e) < 0) return -1;
    result = r;
    expanded = e != 0;
    long n = LoadList(is, changes, version, [](iwstream&) -> Node* { return new ChangeNode; });
    return n < 0 ? -1 : 0;
}

void TrimChecks(ItemNode& object, uint32_t now,
                const std::function<void(CheckNode&)>& beforeDelete) {
    size_t n = object.checks.Count();
    if (n <= 1) return;
    auto dropOldest = [&] {
        CheckNode* oldest = object.checks.Last();
        if (beforeDelete) beforeDelete(*oldest);
        delete oldest;
        --n;
    };
    const ItemProperties& p = object.properties;
    if (p.deltype == kDeleteByAge) {
        int64_t cutoff = static_cast<int64_t>(now) - p.delparam;
        while (n > 1 && static_cast<int64_t>(object.checks.Last()->time) <= cutoff) dropOldest();
    } else if (p.deltype == kDeleteByCount) {
        while (static_cast<int64_t>(n) > p.delparam && n >= 2) dropOldest();
    }
}
