#pragma once
// Deleting from the panes, without a window: watched objects with their
// subtrees (the unseen count follows, stored copies go, running checks are
// stopped through a hook) and the selected check and change records of the
// result pane.
#include <cstddef>
#include <functional>
#include <vector>

#include "framework/TreeViewModel.h"
#include "panes/ItemDrop.h"  // DeletableObjects

class ItemList;
class ItemNode;

struct ObjectDeleteCounts {
    size_t objects = 0;  // objects deleted, folders and everything below included
    long unseen = 0;     // pages and mailboxes among them with their own unseen mark
};

// Deletes each object with its subtree, children first: `beforeDelete`
// sees every object before it goes (stop its checks; its node must be gone
// by then or go there), its stored copies are deleted, and the derived
// marks of the folders above follow.
ObjectDeleteCounts DeleteObjectTrees(ItemList& list, const std::vector<ItemNode*>& objects,
                                     const std::function<void(ItemNode&)>& beforeDelete);

struct RecordDeleteCounts {
    size_t checks = 0;   // check records deleted (a news tape's copy and its source count once)
    size_t changes = 0;  // change records deleted on their own
};

// Deletes the records of the result pane's selected nodes: for a check node
// its check (and the record it was copied from, for a news tape's copy)
// with its changes, for a change node that change. The caret goes to the
// root first and the selection is emptied; the records' nodes go before
// their records.
RecordDeleteCounts DeleteSelectedRecords(TreeViewModel& model);

// Deletes from each selected node on: a check node's check and every older
// check after it in the same list, a change node's change and every change
// after it in the same check. A record reached from more than one selected
// node goes once. The caret goes to the root first and the selection is
// emptied.
RecordDeleteCounts DeleteRecordsFromHere(TreeViewModel& model);
