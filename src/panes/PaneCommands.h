#pragma once
// The rules behind the main window's commands that need no window: where a
// new object goes, which object the result pane's open commands mean, how
// the two popup menus are trimmed for what is selected, and which
// separators of a trimmed menu go.
#include <cstddef>
#include <vector>

#include "framework/AStr.h"
#include "watchlist/ObjectStream.h"

class ItemNode;
class CheckNode;
class ChangeNode;

// The command ids the popup rules name (as in lang/CommandIds.h).
enum PaneCommand : int {
    kCmdOpenChangeLink = 905,
    kCmdOpenChangeLinkNewWindow = 906,
    kCmdOpenChangeLinkPage = 907,
    kCmdOpenPage = 908,
    kCmdOpenPageNewWindow = 909,
    kCmdOpenMailbox = 910,
    kCmdCopyChangeLink = 913,
    kCmdCopyUrl = 914,
};

// Where a new object goes from the item pane's caret: into a folder at its
// end, right after a page or mailbox in its parent, at the end of the list
// without a caret.
InsertPosition NewObjectPosition(ItemList& list, ItemNode* caret);

// What the result pane's open commands mean: the current object, or for a
// folder the object owning the selected check when it lies inside the
// folder; null when there is none (a folder without such a check).
ItemNode* ResultTarget(ItemNode* current, const CheckNode* selectedCheck);

// How a popup menu is changed before it is shown: the default item (0 for
// none), the items removed by command and by position (positions of the
// menu as loaded, removed first).
struct PopupEdits {
    int defaultId = 0;
    std::vector<int> removedIds;
    std::vector<int> removedPositions;
    bool Removes(int id) const;
};

// The item pane's popup for its first selected object (null: the root or
// nothing): a mailbox opens by 910 and has no page items, a page opens by
// 908 and has no 910; a folder keeps everything.
PopupEdits ItemPopupEdits(const ItemNode* first);

// What the result pane's popup is shown for.
struct ResultPopupState {
    bool onRecord = false;  // the first selected node is a check or a change
    // The single selected node is a change with a link (null otherwise).
    const ChangeNode* linkedChange = nullptr;
    const ItemNode* target = nullptr;  // ResultTarget
};
// The result pane's popup: nothing changes unless a record is selected;
// a linked change keeps only its link items (mail links open by 905, other
// links by 907); otherwise the items of the target object stay as in the
// item pane, and without a target the second item and every open and copy
// item go.
PopupEdits ResultPopupEdits(const ResultPopupState& state);

// Positions of the separators (id 0) to remove from a menu of these ids:
// one that comes first, comes last, or follows another separator, judged
// after the earlier ones are gone. Highest position first, so that they can
// be removed in the order given.
std::vector<size_t> SeparatorsToPrune(const std::vector<int>& ids);

// A program with its arguments, as the shell starts it.
struct ProgramCall {
    AStr program;
    AStr arguments;
};
// The call of a shell open command (a program, quoted or not, and its
// arguments) for an address: the first "%1" of the arguments becomes the
// address, or the address follows them after a blank.
ProgramCall BrowserCall(const AStr& openCommand, const AStr& url);
