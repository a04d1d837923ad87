#include "watchlist/WatchListFile.h"

#include "platform/Files.h"
#include "stream/FileUtils.h"
#include "stream/FileStream.h"
#include "watchlist/CheckStates.h"
#include "watchlist/ItemList.h"
#include "watchlist/SafeSave.h"
#include "watchlist/UserFiles.h"

namespace {

enum class Health { kMissing, kUnreadable, kDamaged, kWhole };

std::string WithExtension(const std::string& path, const char* extension) {
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    std::string p = path;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) p.resize(dot);
    return p + extension;
}

// Nothing follows what the reader took.
bool AtEnd(iwstream& in) {
    char c;
    return in.Read(&c, 1) == 0;
}

Health ReadList(ItemList& list, const std::string& path, uint32_t* openError) {
    list.Clear();
    if (!platform::FileExists(path.c_str())) return Health::kMissing;
    ifwstream in(path.c_str(), true);
    if (in.IsError()) {
        if (openError) *openError = in.OpenError();
        return Health::kUnreadable;
    }
    return list.Load(in) == 0 && AtEnd(in) ? Health::kWhole : Health::kDamaged;
}

void ClearChecks(ItemList& list) {
    ItemNode* root = &list;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) o->checks.Clear();
}

Health ReadChanges(ItemList& list, const std::string& path) {
    ClearChecks(list);
    if (!platform::FileExists(path.c_str())) return Health::kMissing;
    ifwstream in(path.c_str(), true);
    if (in.IsError()) return Health::kUnreadable;
    return list.LoadChangeLog(in) == 0 && AtEnd(in) ? Health::kWhole : Health::kDamaged;
}

// A file that may be copied over its backup: not read-only, hidden or system.
bool MayBackUp(const std::string& path) {
    uint32_t a = platform::GetAttributes(path.c_str());
    return a != platform::kInvalidAttributes &&
           !(a & (platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem));
}

std::string KeepAside(const std::string& path, bool ownerOnly) {
    std::string aside = AsidePath(path);
    return CopyFileWhole(path, aside, ownerOnly) == 0 ? aside : std::string();
}

// The file's backup, copied back in its place.
void Restore(const std::string& path, bool ownerOnly) {
    CopyFileWhole(BackupPath(path), path, ownerOnly);
}

void LoadChangeLogChecked(ItemList& list, const WatchListPaths& paths, bool writer,
                          WatchListLoad& r) {
    const std::string& log = paths.changeLog;
    const std::string backup = BackupPath(log);
    if (r.listFromBackup) {
        // The backups were made together: the change log's backup fits the tree.
        if (ReadChanges(list, backup) == Health::kWhole) {
            r.changeLogFromBackup = true;
            if (writer) {
                if (platform::FileExists(log.c_str())) r.changeLogAside = KeepAside(log, false);
                Restore(log, false);
            }
            return;
        }
        if (ReadChanges(list, log) == Health::kDamaged) r.changeLogDamaged = true;
        return;
    }
    Health h = ReadChanges(list, log);
    if (h == Health::kWhole) {
        if (writer && MayBackUp(log)) CopyFileWhole(log, backup, false);
        return;
    }
    if (h != Health::kDamaged) return;
    r.changeLogDamaged = true;
    if (writer) r.changeLogAside = KeepAside(log, false);
    if (ReadChanges(list, backup) == Health::kWhole) {
        r.changeLogFromBackup = true;
        if (writer) Restore(log, false);
        return;
    }
    ReadChanges(list, log);  // keep what can be read
}

// The check states are kept apart from the change log: losing them loses
// only what a restart would have forgotten anyway.
void ReadStates(ItemList& list, const WatchListPaths& paths) {
    ifwstream states(paths.checkStates.c_str(), true);
    if (!states.IsError()) LoadCheckStates(list, states);
}

}  // namespace

WatchListPaths::WatchListPaths(const std::string& dir)
    : programDir(dir),
      watchList(platform::JoinPath(dir, "OVISTO.CFG")),
      userFolder(platform::JoinPath(dir, "USER")),
      changeLog(platform::JoinPath(userFolder, "OVISTO.CHL")),
      checkStates(platform::JoinPath(userFolder, "OVISTO.STA")) {}

std::string BackupPath(const std::string& path) {
    return WithExtension(path, ".BAK");
}
std::string AsidePath(const std::string& path) {
    return WithExtension(path, ".DMG");
}

WatchListLoad LoadWatchListFiles(ItemList& list, const WatchListPaths& paths, bool writer) {
    WatchListLoad r;
    list.SetUserFolder(paths.userFolder);
    const std::string& cfg = paths.watchList;
    Health h = ReadList(list, cfg, &r.openError);
    if (h == Health::kMissing || h == Health::kUnreadable) {
        r.firstStart = true;
        return r;
    }
    if (h == Health::kDamaged) {
        r.listDamaged = true;
        if (writer) r.listAside = KeepAside(cfg, true);
        if (ReadList(list, BackupPath(cfg), nullptr) == Health::kWhole) {
            r.listFromBackup = true;
            if (writer) Restore(cfg, true);
        } else {
            ReadList(list, cfg, nullptr);  // keep what can be read
        }
    } else if (writer && MayBackUp(cfg)) {
        CopyFileWhole(cfg, BackupPath(cfg), true);
    }
    LoadChangeLogChecked(list, paths, writer, r);
    ReadStates(list, paths);
    return r;
}

bool OpenWatchList(ItemList& list, const WatchListPaths& paths) {
    list.SetUserFolder(paths.userFolder);
    ifwstream in(paths.watchList.c_str(), true);
    if (in.IsError()) {
        list.Clear();
        return false;
    }
    list.Load(in);
    OpenChangeLog(list, paths);
    return true;
}

void OpenChangeLog(ItemList& list, const WatchListPaths& paths) {
    ifwstream in(paths.changeLog.c_str(), true);
    if (!in.IsError()) list.LoadChangeLog(in);
    ReadStates(list, paths);
}

namespace {

struct FileToSave {
    const std::string& path;
    FileFiller fill;
    bool ownerOnly;
};

// Writes every file whole beside its old one before any is replaced, then
// renames them over the old ones in order; a failure before the first rename
// leaves every file as it was.
SaveResult SaveTogether(std::initializer_list<FileToSave> files) {
    SaveResult r;
    for (auto f = files.begin(); f != files.end(); ++f) {
        if (uint32_t e = WriteReplacement(f->path, f->fill, f->ownerOnly)) {
            for (auto g = files.begin(); g != f; ++g) DiscardReplacement(g->path);
            r.error = e;
            r.file = f->path;
            return r;
        }
    }
    for (auto f = files.begin(); f != files.end(); ++f) {
        if (uint32_t e = CommitReplacement(f->path)) {
            for (auto g = f + 1; g != files.end(); ++g) DiscardReplacement(g->path);
            r.error = e;
            r.file = f->path;
            r.partly = f != files.begin();
            return r;
        }
    }
    return r;
}

}  // namespace

// The check states are kept with the change log: both describe the checks of
// the tree the watch list holds.
SaveResult SaveWatchList(const ItemList& list, const WatchListPaths& paths) {
    return SaveTogether(
        {{paths.changeLog, [&list](owstream& os) { return list.SaveChangeLog(os); }, false},
         {paths.checkStates, [&list](owstream& os) { return SaveCheckStates(list, os); }, false},
         {paths.watchList, [&list](owstream& os) { return list.Save(os); }, true}});
}

SaveResult SaveChangeLog(const ItemList& list, const WatchListPaths& paths) {
    return SaveTogether(
        {{paths.changeLog, [&list](owstream& os) { return list.SaveChangeLog(os); }, false},
         {paths.checkStates, [&list](owstream& os) { return SaveCheckStates(list, os); }, false}});
}

WatchListStart StartWatchList(ItemList& list, const WatchListPaths& paths) {
    WatchListStart start;
    if (!platform::IsDirectory(paths.userFolder.c_str()))
        start.userFolderCreated = CreateFolder(paths.userFolder.c_str(), true);
    start.load = LoadWatchListFiles(list, paths, true);
    start.firstStart = start.load.firstStart;
    list.RenumberCopies();
    CleanUpUserFolder(list);
    if (start.userFolderCreated) {
        ItemNode* root = &list;
        for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root))
            o->neverChecked = true;
    }
    start.newChanges = list.CountNewChanges();
    return start;
}
