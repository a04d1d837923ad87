#pragma once
// The watch list and change log files of a program directory: how they are
// read (damage found and the backup taken instead), written (whole, never in
// place) and what happens to them when the program starts.
#include <cstdint>
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

// The backup of a file: its extension replaced by ".BAK".
std::string BackupPath(const std::string& path);
// Where a damaged file is kept aside: its extension replaced by ".DMG".
std::string AsidePath(const std::string& path);

// What reading the watch list and its change log found.
struct WatchListLoad {
    bool firstStart = false;        // no watch list file, or one that cannot be opened
    uint32_t openError = 0;         // why an existing watch list could not be opened
    bool listDamaged = false;       // not a watch list, cut short, or bytes left over
    bool listFromBackup = false;    // the whole backup was loaded instead
    bool changeLogDamaged = false;  // does not fit the tree: cut short or bytes left over
    bool changeLogFromBackup = false;
    std::string listAside, changeLogAside;  // copies of damaged files ("" when none was made)
    // A damaged file could not be replaced by its backup: objects or their
    // history may be missing.
    bool Lossy() const {
        return (listDamaged && !listFromBackup) || (changeLogDamaged && !changeLogFromBackup);
    }
};

// Reads the watch list and then its change log. A damaged file gives way to
// its backup when that is whole; otherwise what could be read stays. A
// writer (the only process that may change the folder) also keeps a copy of
// each damaged file aside, puts the backup back in its place, and refreshes
// the backup of every file that was read whole; a reader changes no file.
WatchListLoad LoadWatchListFiles(ItemList& list, const WatchListPaths& paths, bool writer);

// Reads the watch list and then the change log without repairs. A watch list
// that cannot be opened leaves the tree empty and returns false: the first
// start, when the host offers to make a new object. A damaged file keeps
// what was read.
bool OpenWatchList(ItemList& list, const WatchListPaths& paths);
// Reads the change log and then the check states; a missing file is no error.
void OpenChangeLog(ItemList& list, const WatchListPaths& paths);

// The outcome of a save. A failed save changed nothing unless `partly` says
// the change log was replaced although the watch list could not be.
struct SaveResult {
    uint32_t error = 0;  // Windows error number; 0 when everything was written
    std::string file;    // the file that could not be written
    bool partly = false;
    explicit operator bool() const { return error == 0; }
};

// Writes the change log and the watch list, each whole beside the old file
// and then renamed over it: nothing is replaced until both are on the disk.
// The check states follow both.
SaveResult SaveWatchList(const ItemList& list, const WatchListPaths& paths);
SaveResult SaveChangeLog(const ItemList& list, const WatchListPaths& paths);

struct WatchListStart {
    bool firstStart = false;         // no watch list file
    bool userFolderCreated = false;  // every object is marked never checked
    long newChanges = 0;             // pages and mailboxes with unseen changes
    WatchListLoad load;              // damage found while reading
};

// The start of a program directory: the "USER" folder made with its
// parents, the files read as a writer (damage repaired from the backups,
// the backups refreshed), copy numbers renumbered, stale stored copies and
// temporary files removed, and the new-changes count.
WatchListStart StartWatchList(ItemList& list, const WatchListPaths& paths);
