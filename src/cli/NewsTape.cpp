#include "cli/NewsTape.h"

#include <algorithm>

#include "watchlist/ItemNode.h"

namespace {

bool Gathers(const ItemNode& o) {
    return !o.ParentItem() || (o.IsFolder() && (o.properties.flags & kFlagNewsTape));
}

}  // namespace

std::vector<GatheredCheck> GatherChecks(const ItemNode& object) {
    std::vector<GatheredCheck> gathered;
    if (!Gathers(object)) {
        for (const CheckNode* c = object.checks.First(); c; c = c->NextCheck())
            gathered.push_back({&object, c});
        return gathered;
    }
    for (const ItemNode* o = object.NextInTree(&object); o; o = o->NextInTree(&object))
        if (!o->IsFolder())
            for (const CheckNode* c = o->checks.First(); c; c = c->NextCheck())
                gathered.push_back({o, c});
    std::stable_sort(gathered.begin(), gathered.end(),
                     [](const GatheredCheck& a, const GatheredCheck& b) {
                         return a.check->time > b.check->time;
                     });
    return gathered;
}

void FillNewsTape(ItemNode& folder) {
    if (!Gathers(folder) || !folder.IsFolder()) return;
    folder.checks.Clear();
    for (const GatheredCheck& g : GatherChecks(folder)) {
        CheckNode* copy = new CheckNode(g.check->time);
        copy->result = g.check->result;
        copy->expanded = g.check->expanded;
        copy->origin = const_cast<ItemNode*>(g.owner);
        folder.checks.Append(copy);
    }
}
