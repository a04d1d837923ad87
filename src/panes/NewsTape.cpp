#include "panes/NewsTape.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "watchlist/ItemNode.h"

CheckNode* SourceOf(const CheckNode& copy) {
    if (!copy.origin) return nullptr;
    for (CheckNode* c = copy.origin->checks.First(); c; c = c->NextCheck())
        if (c->time == copy.time) return c;
    return nullptr;
}

void EmptyNewsTape(ItemNode& folder, const CheckDropped& dropped) {
    for (CheckNode* c = folder.checks.First(); c;) {
        CheckNode* next = c->NextCheck();
        if (c->origin) {
            if (dropped) dropped(*c);
            delete c;
        }
        c = next;
    }
}

void MergeNewsTape(ItemNode& folder, const CheckDropped& dropped) {
    std::set<const ItemNode*> below;
    for (ItemNode* o = folder.NextInTree(&folder); o; o = o->NextInTree(&folder)) below.insert(o);
    // Copies whose owner left or whose source is gone go first; the rest
    // are the present ones.
    std::set<std::pair<const ItemNode*, uint32_t>> present;
    for (CheckNode* c = folder.checks.First(); c;) {
        CheckNode* next = c->NextCheck();
        if (c->origin) {
            if (!below.count(c->origin) || !SourceOf(*c)) {
                if (dropped) dropped(*c);
                delete c;
            } else {
                present.insert({c->origin, c->time});
            }
        }
        c = next;
    }
    std::vector<CheckNode*> all;
    for (CheckNode* c = folder.checks.First(); c; c = c->NextCheck()) all.push_back(c);
    for (ItemNode* o = folder.NextInTree(&folder); o; o = o->NextInTree(&folder)) {
        if (o->IsFolder()) continue;
        for (CheckNode* c = o->checks.First(); c; c = c->NextCheck()) {
            if (!present.insert({o, c->time}).second) continue;
            auto* copy = new CheckNode(c->time);
            copy->result = c->result;
            copy->expanded = c->expanded;
            copy->origin = o;
            all.push_back(copy);
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const CheckNode* a, const CheckNode* b) { return a->time > b->time; });
    for (CheckNode* c : all) folder.checks.Append(c);
}
