#pragma once
// Dragging and dropping in the item pane, without a window: the effect the
// keyboard asks for and what it falls back to, the position a point over
// the pane means (and the insertion mark that shows it), and the copy or
// move of the pane's own selection to that position.
#include <cstdint>
#include <vector>

#include "framework/TreeViewModel.h"
#include "panes/PaneNodes.h"
#include "watchlist/ObjectStream.h"

// Drop effects, with the values OLE gives them.
enum DropEffect : uint32_t {
    kDropNone = 0,
    kDropCopy = 1,
    kDropMove = 2,
    kDropLink = 4,
};

// Ctrl and Shift together ask for a link, Ctrl alone for a copy, anything
// else for a move.
uint32_t AskedDropEffect(bool ctrl, bool shift);
// The asked effect when the source allows it, else its fall-back: copy
// falls back to move, then link; move to copy, then link; link to nothing.
uint32_t FallBackDropEffect(uint32_t asked, uint32_t allowed);

// What a point over the pane means: where objects would go and where the
// insertion mark is drawn (before or after markNode; none without a node).
struct ItemDropTarget {
    InsertPosition at;
    TreeViewNode* markNode = nullptr;
    bool markAfter = false;
    bool Accepts() const { return at.parent != nullptr; }
};

// The target of a hit in the pane whose root is `root`. On a page's or
// mailbox's label the upper half means before it and the lower half after
// it; elsewhere on a node the objects go into that node's object; below the
// last node they go to the end of the list. When the drag came from this
// pane, a hit on a selected node or below one is refused (no parent).
ItemDropTarget DropTargetAt(const TreeHitResult& hit, ItemTVNRoot& root, bool fromThisPane);

// The selected objects that are not below another selected one, in order.
std::vector<ItemNode*> TopObjects(const std::vector<ItemNode*>& selected);
// The selected objects that may be deleted or moved (nothing protected in
// them), without those below another one of them; in order.
std::vector<ItemNode*> DeletableObjects(const std::vector<ItemNode*>& selected);
// True when the position lies on or below one of the objects (a drop there
// would put an object into itself).
bool PositionInside(const InsertPosition& at, const std::vector<ItemNode*>& objects);

// Copies of the objects with their subtrees inserted at the position as a
// stream from elsewhere would be (new objects, never checked). Returns the
// copies; none when the position lies inside one of the objects.
std::vector<ItemNode*> CopyObjectsTo(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const InsertPosition& at);
// Takes the deletable objects (nothing protected in them) out of their
// parents and inserts them at the position, each after the previous one.
// Nothing moves when the position lies inside one of them or its anchor is
// one of them. The old parents are added to `oldParents`; the derived marks
// of the list follow. Returns the objects moved.
std::vector<ItemNode*> MoveObjectsTo(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const InsertPosition& at,
                                     std::vector<ItemNode*>* oldParents = nullptr);
