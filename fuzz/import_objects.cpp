// An export file, paste or drop inserted into a watch list: arbitrary bytes
// read as a watch list stream and inserted under a list that already holds
// objects. Nothing inserted may keep a live run-program event, copy numbers
// stay unique, and the result saves and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "cli/TreeEdits.h"
#include "stream/MemStream.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ItemList.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

std::string Saved(const ItemList& list) {
    omwstream out;
    list.Save(out);
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemList list;
    list.SetUserFolder("/nonexistent-ovisto-fuzz");
    for (int i = 0; i < 2; ++i) {
        auto* o = new ItemNode;
        o->properties.address = "http://a.example/";
        o->properties.event.type = kEventRunProgram;
        o->properties.event.param = "chosen by the user";
        list.Append(o);
    }
    list.RenumberCopies();
    ItemList imported;
    ReadStream(std::string(reinterpret_cast<const char*>(data), size), imported);
    std::vector<ItemNode*> held;
    size_t count = InsertObjects(list, list, imported, &held);

    size_t seen = 0;
    std::set<uint16_t> numbers;
    ItemNode* root = &list;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root), ++seen) {
        if (seen >= 2) Check(o->properties.event.type != kEventRunProgram);
        if (!o->IsFolder() && o->copyNumber) Check(numbers.insert(o->copyNumber).second);
    }
    Check(seen == 2 + count);
    Check(held.size() <= count);

    std::string bytes = Saved(list);
    ItemList again;
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    Check(again.Load(in) == 0);
    Check(Saved(again) == bytes);
    return 0;
}
