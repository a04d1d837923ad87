#pragma once
// Copies of watched objects as a watch list stream: the header of the watch
// list file, its version, a 16-bit count and one object record (with its
// subtree) per copied object. The item pane puts it on the clipboard and in
// a drag under the private format, an export file holds the same, and a
// stream from elsewhere is inserted into the list at a position.
#include <cstddef>
#include <string>
#include <vector>

#include "watchlist/ItemList.h"

// Where inserted objects go: into `parent`, before or after `anchor` (a
// child of parent), or appended when there is no anchor.
struct InsertPosition {
    ItemNode* parent = nullptr;
    ItemNode* anchor = nullptr;
    bool before = false;
};

// Puts an object (linked nowhere) at the position: the first of a run
// (`previous` null) before or after the anchor, a later one after `previous`.
void PlaceObject(const InsertPosition& at, ItemNode* previous, ItemNode* object);

// The stream of copies of the objects with their subtrees, in the given
// order; empty when it could not be written.
std::string ObjectsToStream(const std::vector<const ItemNode*>& objects);
// Reads a stream into `into` (replacing what it held). Bytes after the last
// record are allowed (a global memory block is rounded up); false when the
// stream is not whole, and then `into` holds nothing.
bool ReadObjectStream(const void* bytes, size_t size, ItemList& into);

// Moves the top-level objects of `from` to the position, in order: the
// first before or after the anchor, each further one after the previous.
// The objects and everything below them come as new ones: never checked,
// no last check time, fresh copy numbers (frames too), a check requested
// for each page and mailbox; a run-program event is held until the user
// confirms it (each object holding one is added to `held`). The derived
// marks of the list are recomputed. Returns the top-level objects inserted.
std::vector<ItemNode*> InsertObjectsAt(ItemList& list, const InsertPosition& at, ItemList& from,
                                       std::vector<ItemNode*>* held = nullptr);

// Reads a stream and inserts its objects as InsertObjectsAt does: 0 on
// success, -1 when the stream cannot be read, and then nothing is inserted.
int InsertFromStream(ItemList& list, const void* bytes, size_t size, const InsertPosition& at,
                     std::vector<ItemNode*>* inserted = nullptr,
                     std::vector<ItemNode*>* held = nullptr);
