#pragma once
// The watch list and change log files of a program directory, and what
// happens to them when the program starts.
#include <string>

class ItemList;

// "OVISTO.CFG" in the program directory; "USER" beside it with "OVISTO.CHL".
struct WatchListPaths {
    explicit WatchListPaths(const std::string& programDir);
    std::string programDir;
    std::string watchList;
    std::string userFolder;
    std::string changeLog;
    std::string checkStates;  // "OVISTO.STA" beside the change log
};

// Reads the watch list and then the change log. A watch list that cannot be
// opened leaves the tree empty and returns false: the first start, when the
// host offers to make a new object. A damaged file keeps what was read.
bool OpenWatchList(ItemList& list, const WatchListPaths& paths);
// Reads the change log and then the check states; a missing file is no error.
void OpenChangeLog(ItemList& list, const WatchListPaths& paths);
// Writes the watch list and then the change log with the check states; false
// when any could not be written whole.
bool SaveWatchList(const ItemList& list, const WatchListPaths& paths);
bool SaveChangeLog(const ItemList& list, const WatchListPaths& paths);

struct WatchListStart {
    bool firstStart = false;         // no watch list file
    bool userFolderCreated = false;  // every object is marked never checked
    long newChanges = 0;             // pages and mailboxes with unseen changes
};

// The start of a program directory: backups of the watch list and the
// change log (".BAK"), the "USER" folder made with its parents, the files
// read, copy numbers renumbered, stale stored copies and temporary files
// removed, and the new-changes count.
WatchListStart StartWatchList(ItemList& list, const WatchListPaths& paths);
