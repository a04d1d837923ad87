// An export file read as entries that keep every property of their objects.
#include <memory>

#include "import/SourceReaders.h"
#include "watchlist/ItemList.h"

namespace {

void AddObjects(const ItemNode& parent, ImportNode& into) {
    for (const ItemNode* o = parent.FirstItem(); o; o = o->NextItem()) {
        auto e = std::make_unique<ImportNode>();
        e->properties = o->properties;
        if (e->properties.address == "http://") e->properties.address.Clear();
        e->properties.address = CutAtFragment(e->properties.address);
        e->hasProperties = true;
        AddObjects(*o, *e);
        into.Append(e.release());
    }
}

}  // namespace

bool ReadExportFile(iwstream& in, ImportNode& into) {
    ItemList list;
    if (list.Load(in) != 0) return false;
    AddObjects(list, into);
    return true;
}
