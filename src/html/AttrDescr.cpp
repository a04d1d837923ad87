#include "html/AttrDescr.h"

AttrDescrNode::AttrDescrNode(int id, const char* text, size_t length, char q) {
    attr = id;
    if (text && length) {
        value.Assign(text, length);
        quote = static_cast<uint8_t>(q);
    }
}

const AttrDescrNode* FindAttr(const AttrList& list, int attr) {
    for (const AttrDescrNode* a = list.First(); a; a = a->NextAttr())
        if (a->attr == attr) return a;
    return nullptr;
}

void CopyAttrs(const AttrList& from, AttrList& to) {
    for (const AttrDescrNode* a = from.First(); a; a = a->NextAttr()) {
        const char* v = a->value.c_str();
        to.Append(new AttrDescrNode(a->attr, v, a->value.Length(), static_cast<char>(a->quote)));
    }
}
