#pragma once
// The node classes of the two panes. The item pane holds one ItemTVN per
// watched object under an ItemTVNRoot; the result pane one CheckTVN per
// check record and one ChangeTVN per change record under a TreeViewRoot.
// A node clears its record's reference to it when it goes.
#include <cstdint>

#include "framework/TreeViewNode.h"

class ItemNode;
class CheckNode;
class ChangeNode;

// The classes the panes' painters draw by.
enum PaneNodeClass {
    kClassPlain = 0,
    kClassItem = 1,
    kClassCheck = 2,   // bold, on a band of the object's colour
    kClassChange = 3,  // banded every second one; links in their own colour
};

class ItemTVN : public TreeViewNode {
  public:
    explicit ItemTVN(ItemNode* object) : object_(object) {}
    ~ItemTVN() override;
    int NodeClass() const override { return kClassItem; }
    ItemNode* Object() const { return object_; }

  private:
    ItemNode* object_;
};

// The item pane's root, over the watch list's root.
class ItemTVNRoot : public ItemTVN {
  public:
    ItemTVNRoot(ItemNode* list, void* pane) : ItemTVN(list), pane_(pane) {}
    void* Pane() const { return pane_; }

  private:
    void* pane_;
};

class TreeViewRoot : public TreeViewNode {};

class CheckTVN : public TreeViewNode {
  public:
    CheckTVN(CheckNode* record, uint32_t color);
    ~CheckTVN() override;
    int NodeClass() const override { return kClassCheck; }
    CheckNode* Record() const { return record_; }
    uint32_t Color() const { return color_; }  // a COLORREF

  private:
    CheckNode* record_;
    uint32_t color_;
};

class ChangeTVN : public TreeViewNode {
  public:
    ChangeTVN(ChangeNode* record, bool hasLink);
    ~ChangeTVN() override;
    int NodeClass() const override { return kClassChange; }
    ChangeNode* Record() const { return record_; }
    bool HasLink() const { return hasLink_ != 0; }

  private:
    ChangeNode* record_;
    uint8_t hasLink_;
};
