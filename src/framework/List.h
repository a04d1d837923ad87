#pragma once
// Intrusive doubly linked lists. A List owns its nodes: clearing or
// destroying it destroys every node through its virtual destructor, and a
// destroyed node unlinks itself first.
#include <cstddef>

class iwstream;
class owstream;
class List;
class Tree;

class Node {
  public:
    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node();

    List* Owner() const { return list_; }
    Node* Next() const { return next_; }
    Node* Prev() const { return prev_; }
    // Takes the node out of its list without destroying it.
    void Unlink();
    // The node as a tree, or null: a cheap question where a walk asks it at
    // every step.
    virtual Tree* AsTree() { return nullptr; }

    // Persistence (see ListStore): whether the node takes part in its list's
    // record, the type tag written before it, and its own record.
    virtual bool ShouldStore() const { return true; }
    virtual void WriteTypeTag(owstream&) const {}
    virtual int Save(owstream&) const { return 0; }
    virtual int Load(iwstream&, int /*version*/) { return 0; }

  private:
    friend class List;
    List* list_ = nullptr;
    Node* prev_ = nullptr;
    Node* next_ = nullptr;
};

class List {
  public:
    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    virtual ~List();

    Node* First() const { return first_; }
    Node* Last() const { return last_; }
    bool IsEmpty() const { return first_ == nullptr; }
    size_t Count() const;
    // Zero-based position of a node of this list, or -1.
    long IndexOf(const Node* n) const;
    Node* At(size_t index) const;

    // Linking a node that is in another list moves it here.
    void Append(Node* n);
    void Prepend(Node* n);
    void InsertAfter(Node* pos, Node* n);   // pos null: at the front
    void InsertBefore(Node* pos, Node* n);  // pos null: at the end
    // Unlinks without destroying; the caller owns the node.
    Node* Remove(Node* n);
    // Destroys every node.
    void Clear();
    // Moves every node of `other` to the end of this list.
    void TakeAll(List& other);
    // Forgets every node, neither unlinking nor destroying it: for nodes
    // that go with the memory they lie in (an arena) and are never used
    // again.
    void Forget() { first_ = last_ = nullptr; }
    // The list as a tree, or null.
    virtual Tree* AsTree() { return nullptr; }

  private:
    friend class Node;
    void Link(Node* n, Node* prev, Node* next);
    Node* first_ = nullptr;
    Node* last_ = nullptr;
};

// A node that is itself a list of child nodes.
class Tree : public Node, public List {
  public:
    // The tree that holds this one, or null at the root.
    Tree* Parent() const { return Owner() ? Owner()->AsTree() : nullptr; }
    Tree* FirstChild() const { return First() ? First()->AsTree() : nullptr; }
    Tree* NextSibling() const { return Next() ? Next()->AsTree() : nullptr; }
    Tree* AsTree() override { return this; }
    bool HasChildren() const { return !IsEmpty(); }
    // Next node in pre-order below `root` (root itself excluded from the walk's end).
    Tree* NextPreOrder(const Tree* root) const;
    bool IsAncestorOf(const Tree* other) const;
    int Depth() const;
};

template <class T>
class NodeOf : public Node {
  public:
    NodeOf() = default;
    explicit NodeOf(const T& v) : value(v) {}
    NodeOf* Next() const { return static_cast<NodeOf*>(Node::Next()); }
    NodeOf* Prev() const { return static_cast<NodeOf*>(Node::Prev()); }
    T value{};
};

// A list whose nodes are all of class N (a Node subclass); typed access only.
template <class N>
class ListOf : public List {
  public:
    N* First() const { return static_cast<N*>(List::First()); }
    N* Last() const { return static_cast<N*>(List::Last()); }
    N* At(size_t i) const { return static_cast<N*>(List::At(i)); }
    static N* NextOf(const N* n) { return static_cast<N*>(n->Next()); }
};
