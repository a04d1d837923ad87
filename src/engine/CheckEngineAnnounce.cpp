// Announcing a recorded check.
#include "engine/CheckEngine.h"
#include "watchlist/TextLog.h"

void CheckEngine::Announce(ItemNode& object) {
    if (CheckNode* newest = object.checks.First()) {
        TextLogSettings log = host_.TextLogSetup(Now());
        AppendTextLog(object, *newest, log);
    }
    Notify(object);
}

void CheckEngine::Notify(ItemNode& object) {
    TrimChecks(object, Now(), [&](CheckNode& check) { host_.BeforeCheckDeleted(object, check); });
    if (!(object.marks & kMarkUnseen)) ++newChanges_;
    object.SetMarks(kMarkUnseen);
    if (CheckNode* newest = object.checks.First()) newest->expanded = true;
    for (ItemNode* n = &object; n && n != &list_; n = n->ParentItem()) host_.RefreshObject(*n);
    host_.SaveChangeLog();
    const ItemEvent& event =
        object.properties.event.type <= 254 ? object.properties.event : options_.event;
    host_.Announce(object, event);
}
