#pragma once
// What the check engine needs of the program that hosts it: the desktop
// main window or the headless front end. Every call comes on the host's
// thread, from inside one of the engine's handlers.
#include <cstdint>

#include "watchlist/ItemProperties.h"
#include "watchlist/TextLog.h"

class CheckNode;
class ItemNode;

class EngineHost {
  public:
    virtual ~EngineHost() = default;

    // The object's state, title or checks changed: redraw its node (and the
    // result pane when it shows the object).
    virtual void RefreshObject(ItemNode& object) {}
    // A check stands and is being announced, its object marked: a host that
    // can be hidden shows the object where the user will look on return.
    virtual void RevealChangedObject(ItemNode& object) {}
    // A check stands and was recorded: run the chosen event (the object's
    // own, or the program-wide one: ApplicableEvent).
    virtual void Announce(ItemNode& object, const ItemEvent& event) {}
    // A check record is about to be deleted by trimming.
    virtual void BeforeCheckDeleted(ItemNode& object, CheckNode& check) {}
    // The change log must be written now (after every announced check).
    virtual void SaveChangeLog() {}
    // The watch list must be written now (titles, copy numbers or frame
    // trees changed); the host writes the change log with it.
    virtual void SaveWatchList() {}
    // "BanChecks" changed.
    virtual void SaveOptions() {}
    // Where and how the daily text logs are written; `now` names the day.
    virtual TextLogSettings TextLogSetup(uint32_t now) = 0;
};
