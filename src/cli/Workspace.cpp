#include "cli/Workspace.h"

#include <cstdlib>
#include <ostream>

#include "cli/CliError.h"
#include "cli/CliText.h"
#include "platform/Files.h"
#include "stream/FileUtils.h"
#include "watchlist/UserFiles.h"

Workspace::Workspace(const std::string& dir) : paths_(dir) {
    if (!platform::IsDirectory(dir.c_str())) Fail(kExitBadInput, "no program directory " + dir);
    list_.SetUserFolder(paths_.userFolder);
}

std::string Workspace::SettingsPath() const {
    return platform::JoinPath(Dir(), "ovisto.ini");
}
std::string Workspace::LockPath() const {
    return platform::JoinPath(Dir(), "ovisto.lck");
}

void Workspace::Lock() {
    uint32_t error = 0;
    if (lock_.Acquire(LockPath(), &error)) return;
    if (error == platform::kErrLockHeld)
        Fail(kExitBadInput, "the desktop program or another ovisto-cli is changing " + Dir() +
                                " (" + LockPath() + " is locked); try again when it has finished");
    Fail(kExitBadInput,
         "cannot lock " + LockPath() + ": " + ShownError(static_cast<int32_t>(error), 0));
}

Options& Workspace::LoadedOptions() {
    if (!optionsLoaded_) {
        LoadOptions(options_, SettingsPath());
        optionsLoaded_ = true;
    }
    return options_;
}

namespace {

std::string Named(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SaveFailure(const SaveResult& r) {
    return "could not write " + r.file + ": " + ShownError(static_cast<int32_t>(r.error), 0) +
           (r.partly ? "; the change log was saved but the watch list was not"
                     : "; nothing was saved, the files are as they were");
}

}  // namespace

ItemList& Workspace::Load(std::ostream& err) {
    const bool writer = lock_.IsHeld();
    if (writer && !platform::IsDirectory(paths_.userFolder.c_str()))
        CreateFolder(paths_.userFolder.c_str(), true);
    WatchListLoad r = LoadWatchListFiles(list_, paths_, writer);
    const std::string& cfg = paths_.watchList;
    if (r.openError)
        Fail(kExitBadInput,
             "cannot read " + cfg + ": " + ShownError(static_cast<int32_t>(r.openError), 0));
    auto aside = [](const std::string& copy) {
        return copy.empty() ? std::string() : "; the damaged file is kept as " + copy;
    };
    if (r.listDamaged && !r.listFromBackup) {
        list_.Clear();
        Fail(kExitBadInput, cfg +
                                " is damaged (not a watch list, cut short, or bytes left over) and "
                                "its backup " +
                                Named(BackupPath(cfg)) + " is not whole; nothing was changed" +
                                aside(r.listAside));
    }
    if (r.listFromBackup)
        err << "ovisto-cli: warning: " << cfg << " is damaged; its backup "
            << Named(BackupPath(cfg)) << " was read instead"
            << (writer ? " and put in its place" : "") << aside(r.listAside) << "\n";
    if (r.changeLogDamaged && r.changeLogFromBackup)
        err << "ovisto-cli: warning: " << paths_.changeLog << " is damaged; its backup "
            << Named(BackupPath(paths_.changeLog)) << " was read instead"
            << (writer ? " and put in its place" : "") << aside(r.changeLogAside) << "\n";
    else if (r.changeLogDamaged)
        err << "ovisto-cli: warning: " << paths_.changeLog
            << " is damaged and has no whole backup; the history of some objects is missing"
            << aside(r.changeLogAside) << "\n";
    if (writer) {
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
    SaveResult r = SaveWatchList(list_, paths_);
    if (!r) Fail(kExitBadInput, SaveFailure(r));
}

void Workspace::SaveChangeLog() {
    SaveResult r = ::SaveChangeLog(list_, paths_);
    if (!r) Fail(kExitBadInput, SaveFailure(r));
}

std::string ProgramDirectory(const std::string* typed) {
    if (typed) return TypedPath(*typed);
    const char* env = std::getenv("OVISTO_DIR");
    if (env && *env) return env;
    return ".";
}
