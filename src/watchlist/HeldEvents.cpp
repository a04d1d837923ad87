#include "watchlist/HeldEvents.h"

#include "watchlist/ItemNode.h"

bool IsHeldProgramEvent(const ItemEvent& event) {
    return event.type == kEventNone && !event.param.IsEmpty();
}

bool HoldProgramEvent(ItemNode& object) {
    if (object.properties.event.type != kEventRunProgram) return false;
    object.properties.event.type = kEventNone;
    return true;
}

size_t HoldProgramEvents(ItemNode& subtree) {
    size_t held = 0;
    for (ItemNode* o = &subtree; o; o = o->NextInTree(&subtree)) held += HoldProgramEvent(*o);
    return held;
}
