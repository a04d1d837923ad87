#include "cli/Workspace.h"

#include <cstdlib>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "platform/Files.h"
#include "retrieval/FileUtils.h"
#include "retrieval/filestream.h"
#include "watchlist/UserFiles.h"

Workspace::Workspace(const std::string& dir) : paths_(dir) {
    if (!platform::IsDirectory(dir.c_str())) Fail(kExitBadInput, "no program directory " + dir);
    list_.SetUserFolder(paths_.userFolder);
}

std::string Workspace::SettingsPath() const { return platform::JoinPath(Dir(), "ovisto.ini"); }
std::string Workspace::LockPath() const { return platform::JoinPath(Dir(), "ovisto.lck"); }

void Workspace::Lock() {
    uint32_t error = 0;
    if (lock_.Acquire(LockPath(), &error)) return;
    if (error == platform::kErrLockHeld)
        Fail(kExitBadInput, "the desktop program or another ovisto-cli is changing " + Dir() + " (" +
                                LockPath() + " is locked); try again when it has finished");
    Fail(kExitBadInput, "cannot lock " + LockPath() + ": " + ShownError(static_cast<int32_t>(error), 0));
}

Options& Workspace::LoadedOptions() {
    if (!optionsLoaded_) {
        LoadOptions(options_, SettingsPath());
        optionsLoaded_ = true;
    }
    return options_;
}

ItemList& Workspace::Load() {
    const char* cfg = paths_.watchList.c_str();
    if (platform::FileExists(cfg)) {
        ifwstream in(cfg, true);
        if (in.IsError())
            Fail(kExitBadInput, "cannot read " + paths_.watchList + ": " +
                                    ShownError(static_cast<int32_t>(in.OpenError()), 0));
        if (list_.Load(in) != 0) {
            list_.Clear();
            Fail(kExitBadInput, paths_.watchList +
                                    " is damaged (not a watch list, or cut short); nothing was "
                                    "changed. Its backup OVISTO.BAK may hold the previous list.");
        }
    }
    if (lock_.IsHeld()) {
        MakeBackup(paths_.watchList.c_str(), false);
        MakeBackup(paths_.changeLog.c_str(), false);
        if (!platform::IsDirectory(paths_.userFolder.c_str()))
            CreateDirectory(paths_.userFolder.c_str(), true);
    }
    OpenChangeLog(list_, paths_);
    if (lock_.IsHeld()) {
        list_.RenumberCopies();
        CleanUpUserFolder(list_);
    }
    MarkUncopiedNeverChecked();
    return list_;
}

// The never-checked flag lives only as long as a process; each command is a
// process of its own, so an object whose first copy was never stored (added
// by an earlier command) is known by its missing stored copy.
void Workspace::MarkUncopiedNeverChecked() {
    ItemNode* root = &list_;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root))
        if (!o->IsFolder() && !o->frames &&
            !platform::FileExists(StoredCopyPath(paths_.userFolder, o->copyNumber).c_str()))
            o->neverChecked = true;
}

void Workspace::Save() {
    if (!SaveWatchList(list_, paths_)) Fail(kExitBadInput, "could not write " + paths_.watchList);
}

void Workspace::SaveChangeLog() {
    if (!::SaveChangeLog(list_, paths_)) Fail(kExitBadInput, "could not write " + paths_.changeLog);
}

std::string ProgramDirectory(const std::string* typed) {
    if (typed) return TypedPath(*typed);
    const char* env = std::getenv("OVISTO_DIR");
    if (env && *env) return env;
    return ".";
}
