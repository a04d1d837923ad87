#pragma once
// The attributes of one tag as the document keeps them.
#include <cstddef>
#include <cstdint>

#include "framework/AStr.h"
#include "framework/Arena.h"
#include "framework/FixedText.h"
#include "framework/List.h"

struct AttrDescr {
    int attr = 0;       // attribute identifier (row of the attribute table)
    FixedText value;    // empty for an empty or missing value; in the document's arena
    uint8_t quote = 0;  // the quote byte reported with a quoted value, else 0
};

class AttrDescrNode : public AttrDescr, public Node, public ArenaObject {
  public:
    AttrDescrNode(int attr, const char* value, size_t length, char quote);
    AttrDescrNode* NextAttr() const { return static_cast<AttrDescrNode*>(Next()); }
};

using AttrList = ListOf<AttrDescrNode>;

// The first record with that identifier, walking from the head; null when none.
const AttrDescrNode* FindAttr(const AttrList& list, int attr);
// Appends copies of every record of `from` to `to`.
void CopyAttrs(const AttrList& from, AttrList& to);

// A tag identifier with the tag's known attributes.
class TagInfo {
  public:
    explicit TagInfo(int tag = 0) : tag_(tag) {}
    int Tag() const { return tag_; }
    AttrList& Attrs() { return attrs_; }
    const AttrList& Attrs() const { return attrs_; }
    const AttrDescrNode* FindAttr(int attr) const { return ::FindAttr(attrs_, attr); }
    // The attribute's value, null when the tag does not have the attribute.
    const char* AttrValue(int attr) const {
        const AttrDescrNode* a = FindAttr(attr);
        return a ? a->value.c_str() : nullptr;
    }

  private:
    int tag_;
    AttrList attrs_;
};
