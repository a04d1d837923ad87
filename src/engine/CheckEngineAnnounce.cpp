// Announcing a recorded check.
#include "engine/CheckEngine.h"
#include "watchlist/EventRules.h"
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
    host_.RevealChangedObject(object);
    for (ItemNode* n = &object; n && n != &list_; n = n->ParentItem()) host_.RefreshObject(*n);
    host_.SaveChangeLog();
    host_.Announce(object, ApplicableEvent(object.properties.event, options_.event));
}
