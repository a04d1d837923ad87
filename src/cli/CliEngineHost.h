#pragma once
// The check engine hosted by the front end: the watch list of a locked
// program directory, the workers' reports through the portable host queue,
// passes at the start of every idle phase, and announced checks handed to
// whoever watches (the check and run commands).
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "engine/CheckEngine.h"
#include "platform/HostQueue.h"

class Workspace;

class CliEngineHost : public EngineHost {
  public:
    CliEngineHost(Workspace& space, std::ostream& err);

    CheckEngine& Engine() { return *engine_; }
    // One idle phase: a scheduling pass, then the reports that arrive within
    // `waitMs` (the first one ends the wait; the ones queued behind it are
    // handled too). True when any report came.
    bool Cycle(uint32_t waitMs, bool pass = true);
    // Stops every worker (waiting at most 5 s) and writes both files.
    void Shutdown();

    // Called for every announced check with its event.
    std::function<void(ItemNode&, const ItemEvent&)> onAnnounce;

    void Announce(ItemNode& object, const ItemEvent& event) override;
    void SaveChangeLog() override;
    void SaveWatchList() override;
    void SaveOptions() override;
    TextLogSettings TextLogSetup(uint32_t now) override;

  private:
    // Runs a program event; a program that cannot start is reported.
    void RunProgram(ItemNode& object, const AStr& commandLine);

    Workspace& space_;
    std::ostream& err_;
    std::shared_ptr<platform::HostQueue> queue_;
    std::unique_ptr<CheckEngine> engine_;
};
