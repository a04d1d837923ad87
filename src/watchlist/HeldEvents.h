#pragma once
// "Run a program" events that arrive from outside (an export file, an
// import, a paste or a drop) are held: nothing runs until the user confirms
// the program. A held event keeps its command line as the parameter under
// the kind "none", which the watch list file stores as it is, so the hold
// lasts until the user chooses "run a program" again for that object.
#include <cstddef>

#include "watchlist/ItemProperties.h"

class ItemNode;

// A held event: kind "none" with a command line kept.
bool IsHeldProgramEvent(const ItemEvent& event);
// Holds the object's own run-program event; false when it has none.
bool HoldProgramEvent(ItemNode& object);
// Holds the run-program event of the object and of every object below it;
// returns how many were held.
size_t HoldProgramEvents(ItemNode& subtree);
