#include "framework/StrList.h"

StrNode* StrList::Add(const char* s) {
    auto* n = new StrNode(s);
    Append(n);
    return n;
}

StrNode* StrList::Add(const char* s, size_t n) {
    auto* node = new StrNode(s, n);
    Append(node);
    return node;
}

StrNode* StrList::Find(const char* s) const {
    for (StrNode* n = First(); n; n = n->Next())
        if (n->Compare(s) == 0) return n;
    return nullptr;
}

StrNode* StrList::FindNoCase(const char* s) const {
    for (StrNode* n = First(); n; n = n->Next())
        if (n->CompareNoCase(s) == 0) return n;
    return nullptr;
}
