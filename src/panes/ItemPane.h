#pragma once
// The item pane's rules: one ItemTVN per watched object in the watch list's
// order, its text (the display name, and for a failed object the error)
// and its image and state image by the object's kind, state and marks.
#include "framework/TreeViewModel.h"
#include "panes/PaneNodes.h"
#include "panes/PaneTexts.h"

class ItemNode;

// The image index of an object by its state and marks (switched off first,
// then failed, comparing, idle with or without unseen changes, else busy).
int ItemImageIndex(const ItemNode& object);
// The node text: the display name; for a failed object with an error code,
// two blanks, string 9280, ": " and the error's text.
AStr ItemNodeText(const ItemNode& object, PaneTexts& texts);

class ItemPane {
  public:
    ItemPane(TreeViewModel& model, ItemTVNRoot& root, PaneTexts& texts)
        : model_(model), root_(root), texts_(texts) {}

    // Nodes for the whole list (the root's object), root expanded, caret on
    // the first top-level node.
    void Build();
    // A node for the object (when it has none) inserted before the node of
    // the first following sibling that has one, then for every child.
    void AddObjectNode(ItemNode& object, TreeViewNode* parentNode);
    // Text, image and state image anew; false when the object has no node.
    bool RefreshObjectNode(ItemNode& object);
    // The pane reported an expand change: the object follows its node.
    void ExpandChanged(TreeViewNode* node);
    // The object of a node (null for the root and foreign nodes).
    static ItemNode* ObjectOf(TreeViewNode* node);

  private:
    TreeViewModel& model_;
    ItemTVNRoot& root_;
    PaneTexts& texts_;
};
