#pragma once
// A list of strings: keyword lists, search history, file lists.
#include "framework/AStr.h"
#include "framework/List.h"

class StrNode : public Node, public AStr {
  public:
    StrNode() = default;
    explicit StrNode(const char* s) : AStr(s) {}
    StrNode(const char* s, size_t n) : AStr(s, n) {}
    StrNode* Next() const { return static_cast<StrNode*>(Node::Next()); }
    StrNode* Prev() const { return static_cast<StrNode*>(Node::Prev()); }
};

class StrList : public ListOf<StrNode> {
  public:
    StrNode* Add(const char* s);
    StrNode* Add(const char* s, size_t n);
    // First node equal to s (byte order, or without regard to case).
    StrNode* Find(const char* s) const;
    StrNode* FindNoCase(const char* s) const;
};
