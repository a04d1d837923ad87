// The main window's files and its check engine: the program directory's
// lock, the watch list and change log read at creation (a damaged watch
// list is put aside for the user, never overwritten), and the engine's
// calls to save, refresh and announce.
#include "lang/CommandIds.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "platform/WindowReportTarget.h"
#include "stream/FileStream.h"
#include "ui/FrameWindow.h"

namespace {

constexpr unsigned kTextLargeChange = 32002;
constexpr unsigned kTextFramesChanged = 32003;

// The name a damaged watch list is kept under, beside the program.
const char kDamagedName[] = "OVISTO.DMG";

// True when the file exists and does not read whole as a watch list.
bool IsDamagedWatchList(const std::string& path) {
    if (!platform::FileExists(path.c_str())) return false;
    ifwstream in(path.c_str(), true);
    if (in.IsError()) return false;  // unreadable now; the load will see it missing
    ItemList probe;
    return probe.Load(in) != 0;
}

}  // namespace

void FrameWindow::LoadWatchList() {
    uint32_t error = 0;
    std::string lockPath = platform::JoinPath(paths_.programDir, "ovisto.lck");
    if (!lock_.Acquire(lockPath, &error))
        ShowMessage(FormatText(TEXT_DIRECTORY_LOCKED, lockPath.c_str()));

    if (IsDamagedWatchList(paths_.watchList)) {
        std::string kept = platform::JoinPath(paths_.programDir, kDamagedName);
        if (platform::MoveFileTo(paths_.watchList.c_str(), kept.c_str(), true))
            ShowMessage(
                FormatText(TEXT_DAMAGED_WATCH_LIST, paths_.watchList.c_str(), kept.c_str()));
    }
    WatchListStart start = StartWatchList(list_, paths_);  // the unseen count follows in OnCreate
    list_.SetRefreshHook([this](ItemNode& node) { RefreshObjectNode(node); });

    engine_.reset(new CheckEngine(list_, *options_, *this,
                                  std::make_shared<platform::WindowReportTarget>(Handle()),
                                  args_.clock));
    PostMessageW(Handle(), WM_COMMAND,
                 MAKEWPARAM(start.firstStart ? CMD_FIRST_START_NEW_PAGE : CMD_SHOW_RESULTS, 0), 0);
}

void FrameWindow::RefreshObject(ItemNode& object) {
    RefreshObjectNode(object);
}

void FrameWindow::SaveChangeLog() {
    ::SaveChangeLog(list_, paths_);
}

void FrameWindow::SaveWatchList() {
    ::SaveWatchList(list_, paths_);
}

void FrameWindow::SaveOptions() {
    if (!args_.settingsFile.empty()) ::SaveOptions(*options_, args_.settingsFile);
}

TextLogSettings FrameWindow::TextLogSetup(uint32_t now) {
    TextLogSettings s;
    s.userFolder = paths_.userFolder;
    s.locale = DateTimeLocale();
    s.now = now;
    s.largeChangeText = LoadText(kTextLargeChange);
    s.framesChangedText = LoadText(kTextFramesChanged);
    return s;
}
