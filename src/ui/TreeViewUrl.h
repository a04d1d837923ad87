#pragma once
// The item pane, child 101: the watch list as a tree view, one ItemTVN per
// object with its text (name, and the error of a failed check), its image
// from bitmap 1 and, for a folder, its state image from bitmap 2. The
// rules live in the portable panes::ItemRules; this window keeps the
// nodes in step with the objects and reports to the main window through
// the tree view's notifications.
#include <vector>

#include "panes/ItemPane.h"
#include "panes/PaneNodes.h"
#include "panes/PaneTexts.h"
#include "shell/gui/DImageList.h"
#include "shell/gui/TreeView.h"

class ItemNode;

// The root node, made before the view that shows it.
struct TreeViewUrlRoot {
    TreeViewUrlRoot(ItemNode* list, void* pane) : urlRoot(list, pane) {}
    ItemTVNRoot urlRoot;
};

class TreeViewUrl : private TreeViewUrlRoot, public TreeView {
  public:
    // The pane shows `list`, which must outlive it.
    explicit TreeViewUrl(ItemNode& list);
    ~TreeViewUrl() override;

    bool Create(HWND parent, int id, HINSTANCE instance);
    // Nodes for every object, the root expanded, the caret on the first.
    void Build();
    // Nodes for an object inserted into the list and its subtree.
    void AddObjectNode(ItemNode& object);
    // Text and images of the object's node anew, redrawn.
    void RefreshNode(ItemNode& object);

    // The object at the caret, and the selected objects in tree order.
    ItemNode* Caret() const;
    std::vector<ItemNode*> Selected() const;
    // Makes the object's node the caret and the only selected node, shown;
    // null leaves nothing selected.
    void SetCaret(ItemNode* object);
    // The objects of the rows shown, top down.
    std::vector<ItemNode*> Rows();
    // The object of one of this pane's nodes (null for the root).
    static ItemNode* ObjectOf(TreeViewNode* node) { return ItemPane::ObjectOf(node); }

  protected:
    void ExpandChanged(TreeViewNode* node) override;

  private:
    PaneTexts texts_;
    ItemPane rules_;
    DImageList images_;
    DImageList states_;
};
