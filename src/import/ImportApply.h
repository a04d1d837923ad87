#pragma once
// Between the watch list and the left tree of the import dialog: the tree
// made from the list when the dialog opens, and the new list made from the
// tree when the user accepts it.
#include "import/ImportNode.h"

class ItemNode;

// One entry per object below `list`, in order, standing for that object.
void FillFromWatchList(const ItemNode& list, ImportNode& root);

// New objects below `into`, in the tree's order. An entry that stands for
// an object takes over that object's records, stored copy, state and marks
// (they leave the old object); a new entry becomes a new object, never
// checked, with checking switched on.
void BuildImportedList(const ImportNode& root, ItemNode& into);
