#pragma once
// Between the watch list and the left tree of the import dialog: the tree
// made from the list when the dialog opens, and the new list made from the
// tree when the user accepts it.
#include <vector>

#include "import/ImportNode.h"

class ItemNode;

// One entry per object below `list`, in order, standing for that object.
void FillFromWatchList(const ItemNode& list, ImportNode& root);

// New objects below `into`, in the tree's order. An entry that stands for
// an object takes over that object's records, stored copy, state and marks
// (they leave the old object); a new entry becomes a new object, never
// checked, with checking switched on. With `held` given, a new object's
// run-program event is held until the user confirms it, and each object
// holding one is added there (without it, the caller holds them when it
// inserts the objects).
void BuildImportedList(const ImportNode& root, ItemNode& into,
                       std::vector<ItemNode*>* held = nullptr);
