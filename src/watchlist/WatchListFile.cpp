#include "watchlist/WatchListFile.h"

#include "platform/Files.h"
#include "retrieval/FileUtils.h"
#include "retrieval/filestream.h"
#include "watchlist/CheckStates.h"
#include "watchlist/ItemList.h"
#include "watchlist/UserFiles.h"

WatchListPaths::WatchListPaths(const std::string& dir)
    : programDir(dir),
      watchList(platform::JoinPath(dir, "OVISTO.CFG")),
      userFolder(platform::JoinPath(dir, "USER")),
      changeLog(platform::JoinPath(userFolder, "OVISTO.CHL")),
      checkStates(platform::JoinPath(userFolder, "OVISTO.STA")) {}

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
    ifwstream states(paths.checkStates.c_str(), true);
    if (!states.IsError()) LoadCheckStates(list, states);
}

bool SaveWatchList(const ItemList& list, const WatchListPaths& paths) {
    ofwstream out(paths.watchList.c_str());
    if (out.IsError()) return false;
    bool ok = list.Save(out) == 0;
    ok = out.Close() && ok;
    return SaveChangeLog(list, paths) && ok;
}

bool SaveChangeLog(const ItemList& list, const WatchListPaths& paths) {
    ofwstream out(paths.changeLog.c_str());
    if (out.IsError()) return false;
    bool ok = list.SaveChangeLog(out) == 0;
    ok = out.Close() && ok;
    ofwstream states(paths.checkStates.c_str());
    if (states.IsError()) return false;
    ok = SaveCheckStates(list, states) == 0 && ok;
    return states.Close() && ok;
}

WatchListStart StartWatchList(ItemList& list, const WatchListPaths& paths) {
    WatchListStart start;
    MakeBackup(paths.watchList.c_str(), false);
    MakeBackup(paths.changeLog.c_str(), false);
    if (!platform::IsDirectory(paths.userFolder.c_str()))
        start.userFolderCreated = CreateDirectory(paths.userFolder.c_str(), true);
    start.firstStart = !OpenWatchList(list, paths);
    list.RenumberCopies();
    CleanUpUserFolder(list);
    if (start.userFolderCreated) {
        ItemNode* root = &list;
        for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) o->neverChecked = true;
    }
    start.newChanges = list.CountNewChanges();
    return start;
}
