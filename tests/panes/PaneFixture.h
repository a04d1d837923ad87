#pragma once
// Watch lists and texts for the panes' tests: texts by number read "T<id>"
// (none for the numbers in `missing`), error texts "E<code>/<detail>" and a
// check time "D<seconds>".
#include <memory>
#include <set>

#include "framework/TreeTestMeasurer.h"
#include "panes/PaneTexts.h"
#include "watchlist/ItemList.h"
#include "watchlist/ItemNode.h"

class FakeTexts : public PaneTexts {
  public:
    AStr Text(unsigned id) override { return missing.count(id) ? AStr() : AStr::Format("T%u", id); }
    AStr Error(int32_t code, int32_t detail) override {
        return AStr::Format("E%d/%d", static_cast<int>(code), static_cast<int>(detail));
    }
    std::set<unsigned> missing;
    AStr CheckTime(uint32_t time) override { return AStr::Format("D%u", time); }
};

inline ItemNode* AddObject(ItemNode* parent, const char* name, const char* address) {
    auto* o = new ItemNode;
    o->properties.name = name;
    o->properties.address = address;
    parent->Append(o);
    return o;
}

inline CheckNode* AddCheck(ItemNode* object, uint32_t time, int changes, const char* link = "") {
    auto* c = new CheckNode(time);
    for (int i = 0; i < changes; ++i)
        c->changes.Append(new ChangeNode(AStr::Format("change %d at %u", i, time).c_str(), link));
    // Newest first.
    CheckNode* at = object->checks.First();
    while (at && at->time > time) at = at->NextCheck();
    object->checks.InsertBefore(at, c);
    return c;
}
