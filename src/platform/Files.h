#pragma once
// Files, attributes, times and directory search: the one door to the
// operating system's file system. Error codes are Windows error numbers on
// every platform (the POSIX build maps errno onto them), so the texts and
// rules built on them are the same everywhere.
#include <cstdint>
#include <string>

namespace platform {

// Error numbers the system tests for by value.
enum : uint32_t {
    kErrFileNotFound = 2,
    kErrPathNotFound = 3,
    kErrAccessDenied = 5,
    kErrInvalidHandle = 6,
    kErrNotEnoughMemory = 8,
    kErrNoMoreFiles = 18,
    kErrWriteFault = 29,
    kErrFileExists = 80,
    kErrInvalidParameter = 87,
    kErrDiskFull = 112,
    kErrAlreadyExists = 183,
};

// File attribute bits (Windows values).
enum : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kInvalidAttributes = 0xFFFFFFFF,
};

using FileHandle = intptr_t;
constexpr FileHandle kInvalidFile = -1;

// The error number of the calling thread's last failed call.
uint32_t LastError();
void SetLastError(uint32_t code);

// Opens an existing file for reading, sharing reads.
FileHandle OpenForRead(const char* path, bool sequential);
// create: open for reading and writing, creating the file; an existing file
// is truncated when `truncate` is set and makes the open fail otherwise.
// Without create: opens an existing file for writing only.
// How a file is opened for writing: made anew (emptied when it exists),
// made only when it does not exist yet, or an existing one as it is.
enum class WriteMode { kReplace, kCreateNew, kExisting };
FileHandle OpenForWrite(const char* path, WriteMode mode);
// Creates (or truncates) a file for reading and writing that only its owner
// may read when the platform has owners (POSIX mode 0600): files that hold
// passwords.
FileHandle CreatePrivate(const char* path);
// Puts every byte written through the handle on the disk.
bool FlushToDisk(FileHandle h);
void Close(FileHandle h);
// Count moved or -1.
long Read(FileHandle h, void* bytes, unsigned long count);
long Write(FileHandle h, const void* bytes, unsigned long count);
// origin 0 start, 1 current, 2 end; the new position or -1.
long long Seek(FileHandle h, long long offset, int origin);

uint32_t GetAttributes(const char* path);
bool SetAttributes(const char* path, uint32_t attributes);
bool FileExists(const char* path);
bool IsDirectory(const char* path);
long long FileSize(const char* path);  // -1 when it cannot be read

// Last-write time in seconds since 1970 UTC (0 when unknown).
bool GetWriteTime(const char* path, uint32_t* seconds);
bool SetWriteTime(const char* path, uint32_t seconds);

bool RemoveFile(const char* path);
// Moves or renames; with replace an existing target is overwritten.
bool MoveFileTo(const char* from, const char* to, bool replace);
bool CopyFileTo(const char* from, const char* to, bool failIfExists);
// Renames `from` over `to` for good: after a crash at any moment `to` is
// either the old file or the new one, and once this returns the new name is
// on the disk (POSIX: rename and a flush of the folder; Windows: a
// write-through move).
bool ReplaceDurably(const char* from, const char* to);
bool MakeDirectory(const char* path);
bool RemoveDir(const char* path);

// One directory entry.
struct FindEntry {
    uint32_t attributes = 0;
    uint64_t creationTime = 0, accessTime = 0, writeTime = 0;  // FILETIME units
    uint32_t sizeHigh = 0, sizeLow = 0;
    std::string name;       // long name
    std::string shortName;  // 8.3 name where the platform has one
};

using FindHandle = intptr_t;
constexpr FindHandle kInvalidFind = -1;
// Pattern: a directory path and a file name with * and ?; "*.*" is every name.
FindHandle FindFirst(const char* pattern, FindEntry* entry);
bool FindNext(FindHandle h, FindEntry* entry);
void FindClose(FindHandle h);

// Fault injection for tests: when a hook is set, every write, flush to
// disk, rename and removal of a file asks it first, and a non-zero answer
// makes that call fail with the answer as its error number (a full disk, a
// process killed from that moment on). Not for the program itself.
enum class FileOp { kWrite, kFlush, kRename, kRemove };
using FileFaultHook = uint32_t (*)(FileOp op, const char* path);
void SetFileFaultHook(FileFaultHook hook);
// The hook's answer for one call (0 when no hook is set).
uint32_t InjectedFault(FileOp op, const char* path);

// The path separator of the platform and a join that uses it.
char PathSeparator();
std::string JoinPath(const std::string& dir, const std::string& name);
// The folder of the running program.
std::string ProgramDirectory();

}  // namespace platform
