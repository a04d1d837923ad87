#pragma once
// What a notification event means, without a window: which event a change
// of an object runs, the text of its message window, how a command line
// splits into the program and its arguments, and whether a change made while
// the main window is hidden selects the object.
#include <cstdint>
#include <vector>

#include "framework/AStr.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ItemProperties.h"

class ItemNode;

// The object's own event when its kind is 254 or less, else the program-wide
// one. A held run-program event (kind "none" with a command line kept) is
// not the user's choice: the program-wide event applies in its place.
const ItemEvent& ApplicableEvent(const ItemEvent& own, const ItemEvent& programWide);

// A run-program parameter split into the program and its argument text.
// Leading blanks are skipped; a double quote toggles quoting and is dropped
// from the program; the first blank outside quotes ends the program and
// is kept nowhere; everything after it, quotes and blanks included, is the
// arguments. "prog   file" gives the arguments "  file".
struct EventCommand {
    AStr program;
    AStr arguments;
};
EventCommand SplitEventCommand(const char* commandLine);

// The text of a message event: the object's display name, a line feed and
// the parameter.
AStr EventMessageText(const ItemNode& object, const AStr& param);

// While the main window is hidden, a change selects its object unless the
// object lies in the subtree of the one selected object (nothing or several
// selected: it is selected).
bool SelectsChangedObject(const ItemNode& object, const std::vector<ItemNode*>& selected);

// A program chosen for the run-program event as its parameter: a path with
// a blank is put in double quotes, so that the split above gives it back.
AStr ProgramParameter(const AStr& path);
