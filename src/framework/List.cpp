#include "framework/List.h"

Node::~Node() {
    Unlink();
}

void Node::Unlink() {
    if (list_) list_->Remove(this);
}

List::~List() {
    Clear();
}

size_t List::Count() const {
    size_t n = 0;
    for (Node* p = first_; p; p = p->next_) ++n;
    return n;
}

long List::IndexOf(const Node* n) const {
    long i = 0;
    for (Node* p = first_; p; p = p->next_, ++i)
        if (p == n) return i;
    return -1;
}

Node* List::At(size_t index) const {
    Node* p = first_;
    while (p && index--) p = p->next_;
    return p;
}

void List::Link(Node* n, Node* prev, Node* next) {
    n->list_ = this;
    n->prev_ = prev;
    n->next_ = next;
    if (prev)
        prev->next_ = n;
    else
        first_ = n;
    if (next)
        next->prev_ = n;
    else
        last_ = n;
}

void List::Append(Node* n) {
    n->Unlink();
    Link(n, last_, nullptr);
}

void List::Prepend(Node* n) {
    n->Unlink();
    Link(n, nullptr, first_);
}

void List::InsertAfter(Node* pos, Node* n) {
    if (pos == n) return;
    n->Unlink();
    if (!pos)
        Link(n, nullptr, first_);
    else
        Link(n, pos, pos->next_);
}

void List::InsertBefore(Node* pos, Node* n) {
    if (pos == n) return;
    n->Unlink();
    if (!pos)
        Link(n, last_, nullptr);
    else
        Link(n, pos->prev_, pos);
}

Node* List::Remove(Node* n) {
    if (!n || n->list_ != this) return n;
    if (n->prev_)
        n->prev_->next_ = n->next_;
    else
        first_ = n->next_;
    if (n->next_)
        n->next_->prev_ = n->prev_;
    else
        last_ = n->prev_;
    n->list_ = nullptr;
    n->prev_ = n->next_ = nullptr;
    return n;
}

void List::Clear() {
    while (Node* n = last_) delete Remove(n);
}

void List::TakeAll(List& other) {
    while (Node* n = other.first_) Append(n);
}

Tree* Tree::NextPreOrder(const Tree* root) const {
    if (Tree* child = FirstChild()) return child;
    for (const Tree* t = this; t && t != root; t = t->Parent())
        if (Tree* sib = t->NextSibling()) return sib;
    return nullptr;
}

bool Tree::IsAncestorOf(const Tree* other) const {
    for (const Tree* t = other ? other->Parent() : nullptr; t; t = t->Parent())
        if (t == this) return true;
    return false;
}

int Tree::Depth() const {
    int d = 0;
    for (const Tree* t = Parent(); t; t = t->Parent()) ++d;
    return d;
}
