#include "framework/List.h"

#include <gtest/gtest.h>

#include "framework/StrList.h"

namespace {

struct Counted : Node {
    explicit Counted(int* alive) : alive(alive) { ++*alive; }
    ~Counted() override { --*alive; }
    int* alive;
};

struct Folder : Tree {};

}  // namespace

TEST(List, DestroyingAListDestroysItsNodes) {
    int alive = 0;
    {
        List list;
        for (int i = 0; i < 3; ++i) list.Append(new Counted(&alive));
        EXPECT_EQ(3, alive);
    }
    EXPECT_EQ(0, alive);
}

TEST(List, ADestroyedNodeUnlinksItself) {
    int alive = 0;
    List list;
    auto* a = new Counted(&alive);
    auto* b = new Counted(&alive);
    auto* c = new Counted(&alive);
    list.Append(a);
    list.Append(b);
    list.Append(c);
    delete b;
    EXPECT_EQ(2u, list.Count());
    EXPECT_EQ(c, a->Next());
    EXPECT_EQ(a, c->Prev());
    delete a;
    EXPECT_EQ(c, list.First());
    EXPECT_EQ(c, list.Last());
    list.Clear();
    EXPECT_EQ(0, alive);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(List, InsertingMovesANodeBetweenLists) {
    List one, two;
    Node* a = new Node;
    Node* b = new Node;
    Node* c = new Node;
    one.Append(a);
    one.Append(b);
    two.Append(c);
    two.InsertBefore(c, a);  // moves a out of `one`
    EXPECT_EQ(1u, one.Count());
    EXPECT_EQ(&two, a->Owner());
    EXPECT_EQ(a, two.First());
    two.InsertAfter(nullptr, b);  // null position: at the front
    EXPECT_EQ(b, two.First());
    EXPECT_TRUE(one.IsEmpty());
    EXPECT_EQ(2, two.IndexOf(c));
    EXPECT_EQ(c, two.At(2));
    one.TakeAll(two);
    EXPECT_EQ(3u, one.Count());
    EXPECT_TRUE(two.IsEmpty());
    Node* removed = one.Remove(a);
    EXPECT_EQ(nullptr, removed->Owner());
    delete removed;
}

TEST(Tree, PreOrderWalkAndAncestry) {
    Folder root;
    auto* a = new Folder;
    auto* a1 = new Folder;
    auto* a2 = new Folder;
    auto* b = new Folder;
    root.Append(a);
    a->Append(a1);
    a->Append(a2);
    root.Append(b);
    std::vector<Tree*> order;
    for (Tree* t = root.FirstChild(); t; t = t->NextPreOrder(&root)) order.push_back(t);
    EXPECT_EQ((std::vector<Tree*>{a, a1, a2, b}), order);
    EXPECT_EQ(a, a1->Parent());
    EXPECT_EQ(&root, a1->Parent()->Parent());
    EXPECT_EQ(nullptr, root.Parent());
    EXPECT_TRUE(root.IsAncestorOf(a2));
    EXPECT_TRUE(a->IsAncestorOf(a2));
    EXPECT_FALSE(b->IsAncestorOf(a2));
    EXPECT_EQ(2, a2->Depth());
}

TEST(StrList, AddAndFind) {
    StrList l;
    l.Add("Alpha");
    l.Add("\xC1\xE5\xF2\xE0");  // Бета
    EXPECT_EQ(nullptr, l.Find("alpha"));
    EXPECT_NE(nullptr, l.FindNoCase("alpha"));
    EXPECT_NE(nullptr, l.FindNoCase("\xE1\xC5\xD2\xC0"));
    EXPECT_EQ(2u, l.Count());

    ListOf<NodeOf<int>> numbers;
    numbers.Append(new NodeOf<int>(7));
    EXPECT_EQ(7, numbers.First()->value);
}
