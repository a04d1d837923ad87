#include "platform/Files.h"

#include <windows.h>

namespace platform {
namespace {

const uint64_t kEpochDelta = 11644473600ULL;  // seconds from 1601 to 1970

uint64_t Join(const FILETIME& ft) {
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void Fill(const WIN32_FIND_DATAA& d, FindEntry* e) {
    e->attributes = d.dwFileAttributes;
    e->creationTime = Join(d.ftCreationTime);
    e->accessTime = Join(d.ftLastAccessTime);
    e->writeTime = Join(d.ftLastWriteTime);
    e->sizeHigh = d.nFileSizeHigh;
    e->sizeLow = d.nFileSizeLow;
    e->name = d.cFileName;
    e->shortName = d.cAlternateFileName;
}

}  // namespace

uint32_t LastError() {
    return ::GetLastError();
}
void SetLastError(uint32_t code) {
    ::SetLastError(code);
}

FileHandle OpenForRead(const char* path, bool sequential) {
    HANDLE h =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | (sequential ? FILE_FLAG_SEQUENTIAL_SCAN : 0), nullptr);
    return h == INVALID_HANDLE_VALUE ? kInvalidFile : reinterpret_cast<FileHandle>(h);
}

FileHandle OpenForWrite(const char* path, WriteMode mode) {
    HANDLE h;
    if (mode != WriteMode::kExisting)
        h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                        mode == WriteMode::kReplace ? CREATE_ALWAYS : CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    else
        h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return h == INVALID_HANDLE_VALUE ? kInvalidFile : reinterpret_cast<FileHandle>(h);
}

// Windows keeps no owner-only mode bits; the file gets the folder's rights.
FileHandle CreatePrivate(const char* path) {
    return OpenForWrite(path, WriteMode::kReplace);
}

bool FlushToDisk(FileHandle h) {
    if (uint32_t e = InjectedFault(FileOp::kFlush, nullptr)) return ::SetLastError(e), false;
    return FlushFileBuffers(reinterpret_cast<HANDLE>(h)) != 0;
}

void Close(FileHandle h) {
    if (h != kInvalidFile) CloseHandle(reinterpret_cast<HANDLE>(h));
}

long Read(FileHandle h, void* bytes, unsigned long count) {
    DWORD n = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(h), bytes, count, &n, nullptr)) return -1;
    return static_cast<long>(n);
}

long Write(FileHandle h, const void* bytes, unsigned long count) {
    if (uint32_t e = InjectedFault(FileOp::kWrite, nullptr)) return ::SetLastError(e), -1;
    DWORD n = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(h), bytes, count, &n, nullptr)) return -1;
    return static_cast<long>(n);
}

long long Seek(FileHandle h, long long offset, int origin) {
    LARGE_INTEGER to, pos;
    to.QuadPart = offset;
    static const DWORD kMethod[3] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (origin < 0 || origin > 2) return ::SetLastError(ERROR_INVALID_PARAMETER), -1;
    if (!SetFilePointerEx(reinterpret_cast<HANDLE>(h), to, &pos, kMethod[origin])) return -1;
    return pos.QuadPart;
}

uint32_t GetAttributes(const char* path) {
    return GetFileAttributesA(path);
}
bool SetAttributes(const char* path, uint32_t a) {
    return SetFileAttributesA(path, a) != 0;
}
bool FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const char* path) {
    DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &d)) return -1;
    return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool GetWriteTime(const char* path, uint32_t* seconds) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &d)) return false;
    *seconds = static_cast<uint32_t>(Join(d.ftLastWriteTime) / 10000000ULL - kEpochDelta);
    return true;
}

bool SetWriteTime(const char* path, uint32_t seconds) {
    HANDLE h = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    uint64_t v = (static_cast<uint64_t>(seconds) + kEpochDelta) * 10000000ULL;
    FILETIME ft{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
    BOOL ok = SetFileTime(h, nullptr, &ft, &ft);
    DWORD err = ::GetLastError();
    CloseHandle(h);
    ::SetLastError(ok ? 0 : err);
    return ok != 0;
}

bool RemoveFile(const char* path) {
    if (uint32_t e = InjectedFault(FileOp::kRemove, path)) return ::SetLastError(e), false;
    return DeleteFileA(path) != 0;
}

bool MoveFileTo(const char* from, const char* to, bool replace) {
    if (uint32_t e = InjectedFault(FileOp::kRename, to)) return ::SetLastError(e), false;
    return MoveFileExA(from, to,
                       MOVEFILE_COPY_ALLOWED | (replace ? MOVEFILE_REPLACE_EXISTING : 0)) != 0;
}

bool ReplaceDurably(const char* from, const char* to) {
    if (uint32_t e = InjectedFault(FileOp::kRename, to)) return ::SetLastError(e), false;
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
    return CopyFileA(from, to, failIfExists) != 0;
}

bool MakeDirectory(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0;
}
bool RemoveDir(const char* path) {
    return RemoveDirectoryA(path) != 0;
}

FindHandle FindFirst(const char* pattern, FindEntry* entry) {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(pattern, &d);
    if (h == INVALID_HANDLE_VALUE) return kInvalidFind;
    Fill(d, entry);
    return reinterpret_cast<FindHandle>(h);
}

bool FindNext(FindHandle h, FindEntry* entry) {
    WIN32_FIND_DATAA d;
    if (!FindNextFileA(reinterpret_cast<HANDLE>(h), &d)) return false;
    Fill(d, entry);
    return true;
}

void FindClose(FindHandle h) {
    if (h != kInvalidFind) ::FindClose(reinterpret_cast<HANDLE>(h));
}

char PathSeparator() {
    return '\\';
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    char last = dir.back();
    return (last == '/' || last == '\\') ? dir + name : dir + "\\" + name;
}

std::string ProgramDirectory() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string p(buf, n);
    size_t slash = p.find_last_of("\\/");
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

}  // namespace platform
