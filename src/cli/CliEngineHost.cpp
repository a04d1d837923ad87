#include "cli/CliEngineHost.h"

#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "cli/ObjectPath.h"
#include "cli/Workspace.h"
#include "platform/ChildProcess.h"
#include "platform/Lang.h"
#include "watchlist/EventRules.h"

CliEngineHost::CliEngineHost(Workspace& space, std::ostream& err)
    : space_(space), err_(err), queue_(std::make_shared<platform::HostQueue>()) {
    engine_.reset(new CheckEngine(space.List(), space.LoadedOptions(), *this, queue_));
    engine_->SetNewChanges(space.List().CountNewChanges());
}

bool CliEngineHost::Cycle(uint32_t waitMs, bool pass) {
    if (pass) engine_->SchedulingPass(0);
    platform::HostMessage message{};
    if (!queue_->Take(&message, waitMs)) return false;
    do engine_->HandleReport(message);
    while (queue_->Take(&message, 0));
    return true;
}

void CliEngineHost::Shutdown() {
    engine_->Shutdown();
    SaveWatchList();
}

void CliEngineHost::Announce(ItemNode& object, const ItemEvent& event) {
    if (onAnnounce) onAnnounce(object, event);
    if (event.type == kEventRunProgram) RunProgram(object, event.param);
}

void CliEngineHost::RunProgram(ItemNode& object, const AStr& commandLine) {
    EventCommand parts = SplitEventCommand(commandLine.c_str());
    int code = platform::StartUserProgram(TypedPath(Shown(parts.program)),
                                          TypedPath(Shown(parts.arguments)));
    if (code != 0)
        err_ << "ovisto-cli: " << ObjectPath(object) << ": " << Shown(ProgramErrorText(code))
             << "\n"
             << Shown(parts.program) << "\n";
}

// A failed write must not unwind through the engine: it is reported and the
// engine goes on, as the desktop program does.
void CliEngineHost::SaveChangeLog() {
    try {
        space_.SaveChangeLog();
    } catch (const CliError& e) {
        err_ << "ovisto-cli: " << e.message << "\n";
    }
}

void CliEngineHost::SaveWatchList() {
    try {
        space_.Save();
    } catch (const CliError& e) {
        err_ << "ovisto-cli: " << e.message << "\n";
    }
}

void CliEngineHost::SaveOptions() {
    ::SaveOptions(space_.LoadedOptions(), space_.SettingsPath());
}

TextLogSettings CliEngineHost::TextLogSetup(uint32_t now) {
    TextLogSettings s;
    s.userFolder = space_.Paths().userFolder;
    s.locale = DateTimeLocale();
    s.now = now;
    s.largeChangeText = UiText(32002);
    s.framesChangedText = UiText(32003);
    return s;
}
