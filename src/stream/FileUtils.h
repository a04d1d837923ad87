#pragma once
// File utilities used wherever files are replaced, moved or backed up.
#include <cstdint>

// Deletes; when that fails and force is set, clears the read-only, hidden
// and system attributes and tries once more. The optional error receives the
// platform's code (0 on success).
bool EraseFile(const char* path, bool force = false, uint32_t* error = nullptr);
// Moves or renames, replacing an existing target when asked. A missing
// argument gives error 87.
bool RenameFile(const char* from, const char* to, bool replace, uint32_t* error = nullptr);
// Creates the directory, with parents when asked (an existing one is no error
// on the way).
bool CreateFolder(const char* path, bool parents, uint32_t* error = nullptr);
// Backs up an existing file that is neither read-only, hidden nor system to
// the same name with the extension ".BAK", moving or copying it. Returns true
// when the backup failed.
bool MakeBackup(const char* path, bool move);
// The backup name: the extension replaced by ".BAK", or ".BAK" appended.
void BackupName(const char* path, char* out, unsigned long capacity);
