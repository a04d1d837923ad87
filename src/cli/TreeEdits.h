#pragma once
// The changes a user makes to the watch list, as the desktop program makes
// them: new objects, edits that restart checks, deletion with the stored
// copies, moves, switching on and off, marking seen, and copies in and out
// through watch list streams.
#include <string>
#include <vector>

#include "watchlist/ItemList.h"

// Asks for a check now: pages and mailboxes whose frames are all complete
// get state 3; folders are not changed.
void RequestCheck(ItemNode& object);

// A new object with the properties, appended to `parent`: never checked, a
// fresh copy number, checking switched on, its check requested.
ItemNode& NewObject(ItemList& list, ItemNode& parent, const ItemProperties& properties);

// Gives an object edited properties. A changed address drops what belonged
// to the old one (unseen mark, checks, stored copies, frames; never checked
// again); a changed address or period requests a check.
void EditObject(ItemList& list, ItemNode& object, const ItemProperties& edited);

// Deletes the objects with their subtrees and stored copies (objects inside
// another listed one go with it). Protected ones (or with a protected
// object below) are left and returned.
std::vector<ItemNode*> DeleteObjects(ItemList& list, const std::vector<ItemNode*>& objects);

// Moves the object to the end of the folder; false when the folder is the
// object itself or lies below it.
bool MoveObject(ItemList& list, ItemNode& object, ItemNode& folder);

// Switches checking on for every page and mailbox in the subtree (requesting
// their checks), or off for the object and everything below it.
void SwitchOn(ItemNode& object);
void SwitchOff(ItemNode& object);
// Clears the unseen mark of the object and everything below it.
void MarkSeen(ItemNode& object);

// A watch list stream of copies of the objects with their subtrees (what an
// export file and the clipboard hold); empty when it could not be written.
std::string CopyToStream(const std::vector<const ItemNode*>& objects);
// Reads a watch list stream into a fresh list; false when it is damaged.
bool ReadStream(const std::string& bytes, ItemList& into);
// Inserts the top-level objects of `from` at the end of `parent` as a drop
// does: every object never checked, its last check time cleared, its check
// requested and given a fresh copy number; run-program events are held
// until confirmed (the objects holding one are added to `held`). Returns
// the number inserted.
size_t InsertObjects(ItemList& list, ItemNode& parent, ItemList& from,
                     std::vector<ItemNode*>* held = nullptr);
