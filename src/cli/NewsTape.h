#pragma once
// The checks of everything below a news-tape folder gathered into one list,
// newest first, each remembering the object that owns it: what the result
// pane shows for such a folder.
#include <vector>

class CheckNode;
class ItemNode;

struct GatheredCheck {
    const ItemNode* owner;
    const CheckNode* check;
};

// The object's own checks; for a news-tape folder (or the whole list) the
// checks of every page and mailbox below it, newest first, in tree order
// among checks of the same time.
std::vector<GatheredCheck> GatherChecks(const ItemNode& object);
// Fills a news-tape folder's check list with copies of the gathered checks
// (time, result, expanded, owner) as the report page expects them.
void FillNewsTape(ItemNode& folder);
