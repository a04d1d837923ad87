#pragma once
// The program directory a command works on: the same files under the same
// names as the desktop program's folder. Commands that change files hold
// the directory lock; a damaged watch list is refused before anything is
// written, so the file stays as it was.
#include <iosfwd>
#include <string>

#include "platform/DirectoryLock.h"
#include "watchlist/ItemList.h"
#include "watchlist/Options.h"
#include "watchlist/WatchListFile.h"

class Workspace {
  public:
    explicit Workspace(const std::string& dir);

    const std::string& Dir() const { return paths_.programDir; }
    const WatchListPaths& Paths() const { return paths_; }
    std::string SettingsPath() const;
    std::string LockPath() const;

    // Takes the directory lock (a bad-input error when another writer holds it).
    void Lock();
    // Loads the program options from the settings file.
    Options& LoadedOptions();
    // Reads the watch list and its change log. A damaged file gives way to
    // its whole backup with a warning on `err`; a damaged watch list without
    // one is a bad-input error. For a writer (the lock is held) damaged files
    // are kept aside and replaced by their backups, the backups of whole
    // files refreshed, and the start-up repairs run: "USER" made, copy
    // numbers renumbered, stale copies and temporary files removed.
    ItemList& Load(std::ostream& err);
    ItemList& List() { return list_; }
    // Writes the watch list and the change log, each whole or not at all; a
    // bad-input error saying what was and was not saved when that fails.
    void Save();
    void SaveChangeLog();

  private:
    void MarkUncopiedNeverChecked();

    WatchListPaths paths_;
    platform::DirectoryLock lock_;
    ItemList list_;
    Options options_;
    bool optionsLoaded_ = false;
};

// The program directory from --dir, else OVISTO_DIR, else the current one.
std::string ProgramDirectory(const std::string* typed);
