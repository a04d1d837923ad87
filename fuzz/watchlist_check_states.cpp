// The check states reader on arbitrary bytes, over the fixture-sized watch
// list of a folder with two pages. Whatever was read must save and read
// back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "stream/MemStream.h"
#include "watchlist/CheckStates.h"
#include "watchlist/ItemList.h"

namespace {

void Fill(ItemList& list) {
    auto* folder = new ItemNode;
    list.Append(folder);
    for (const char* address : {"http://a.example/", "mailto:u:p@h", "http://a.example/"}) {
        auto* page = new ItemNode;
        page->properties.address = address;
        folder->Append(page);
    }
}

std::string Saved(const ItemList& list) {
    omwstream out;
    SaveCheckStates(list, out);
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ItemList list;
    Fill(list);
    imwstream in(data, static_cast<long>(size));
    LoadCheckStates(list, in);
    const std::string once = Saved(list);
    ItemList again;
    Fill(again);
    imwstream back(once.data(), static_cast<long>(once.size()));
    if (LoadCheckStates(again, back) != 0 || Saved(again) != once) __builtin_trap();
    return 0;
}
