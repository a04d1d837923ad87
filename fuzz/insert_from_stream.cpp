// A watch list stream from elsewhere (a paste or a drop) inserted between
// two objects: all or nothing, every inserted object new and never checked
// with a copy number of its own, and what went in writes out again whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "watchlist/ObjectStream.h"

namespace {

ItemNode* AddPage(ItemList& list, const char* address, uint16_t copy) {
    auto* o = new ItemNode;
    o->properties.address = address;
    o->copyNumber = copy;
    list.Append(o);
    return o;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemList list;
    list.SetUserFolder("/nonexistent-ovisto-fuzz");
    AddPage(list, "http://a.example/", 1);
    ItemNode* second = AddPage(list, "http://b.example/", 2);
    long alive = ItemNode::LiveCount();
    std::vector<ItemNode*> inserted;
    InsertPosition at{&list, second, true};
    if (InsertFromStream(list, data, size, at, &inserted) != 0) {
        Check(list.Count() == 2 && inserted.empty() && ItemNode::LiveCount() == alive);
        return 0;
    }
    Check(list.Count() == 2 + inserted.size() && static_cast<ItemNode*>(list.Last()) == second);
    std::set<uint16_t> numbers;
    std::vector<const ItemNode*> tops;
    for (ItemNode* top : inserted) {
        Check(top->ParentItem() == &list);
        tops.push_back(top);
        for (ItemNode* o = top; o; o = o->NextInTree(top)) {
            Check(o->neverChecked && o->properties.lastCheck == 0);
            if (!o->IsFolder() && o->copyNumber)
                Check(o->copyNumber > 2 && numbers.insert(o->copyNumber).second);
        }
    }
    std::string again = ObjectsToStream(tops);
    ItemList reread;
    Check(tops.empty() || (!again.empty() && ReadObjectStream(again.data(), again.size(), reread)));
    return 0;
}
