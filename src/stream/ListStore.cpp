#include "stream/ListStore.h"

#include "stream/BinIo.h"

int SaveList(owstream& os, const List& list) {
    unsigned count = 0;
    for (Node* n = list.First(); n; n = n->Next())
        if (n->ShouldStore()) ++count;
    if (count > 0xFFFF) count = 0xFFFF;
    if (WriteU16(os, static_cast<uint16_t>(count)) < 0) return -1;
    unsigned written = 0;
    for (Node* n = list.First(); n && written < count; n = n->Next()) {
        if (!n->ShouldStore()) continue;
        n->WriteTypeTag(os);
        if (n->Save(os) != 0 || os.IsError()) return -1;
        ++written;
    }
    return os.IsError() ? -1 : 0;
}

long LoadList(iwstream& is, List& list, int version, const NodeFactory& make) {
    uint16_t count = 0;
    if (ReadU16(is, &count) < 0) return -1;
    for (long i = 0; i < count; ++i) {
        Node* n = make(is);
        if (!n) return -1;
        if (n->Load(is, version) != 0 || is.IsError()) {
            delete n;
            return -1;
        }
        list.Append(n);
    }
    return count;
}
