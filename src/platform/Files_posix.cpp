#include "platform/Files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/Cp1251.h"

namespace platform {
namespace {

thread_local uint32_t t_lastError = 0;

uint32_t FromErrno(int e) {
    switch (e) {
        case 0:
            return 0;
        case ENOENT:
            return kErrFileNotFound;
        case ENOTDIR:
            return kErrPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EBUSY:
            return kErrAccessDenied;
        case EBADF:
            return kErrInvalidHandle;
        case ENOMEM:
            return kErrNotEnoughMemory;
        case EEXIST:
            return kErrFileExists;
        case EINVAL:
            return kErrInvalidParameter;
        case ENOSPC:
            return kErrDiskFull;
        case ENAMETOOLONG:
            return 206;
        case ENOTEMPTY:
            return 145;
        default:
            return 31;  // a device does not function
    }
}

bool Fail() {
    t_lastError = FromErrno(errno);
    return false;
}

bool Succeed() {
    t_lastError = 0;
    return true;
}

// Backslashes separate folders on every platform the files travel between.
std::string Slashes(const char* path) {
    std::string p(path ? path : "");
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

// A path as written when it exists; otherwise each component that does not
// exist as written is matched without regard to case, as on Windows. A
// component with no match is kept as written (so that creating it works).
std::string Resolve(const char* path) {
    std::string p = Slashes(path);
    struct stat st;
    if (p.empty() || lstat(p.c_str(), &st) == 0) return p;
    std::string out;
    size_t i = 0;
    if (p[0] == '/') {
        out = "/";
        i = 1;
    }
    while (i <= p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos) j = p.size();
        std::string part = p.substr(i, j - i);
        std::string candidate = out + part;
        if (!part.empty() && part != "." && part != ".." && lstat(candidate.c_str(), &st) != 0) {
            if (DIR* d = opendir(out.empty() ? "." : out.c_str())) {
                while (dirent* e = readdir(d)) {
                    if (cp1251::CompareNoCase(e->d_name, part.c_str()) == 0) {
                        candidate = out + e->d_name;
                        break;
                    }
                }
                closedir(d);
            }
        }
        out = candidate;
        if (j < p.size()) out += '/';
        i = j + 1;
    }
    return out;
}

uint64_t ToFileTime(const timespec& ts) {
    // 100 ns units since 1601-01-01.
    return (static_cast<uint64_t>(ts.tv_sec) + 11644473600ULL) * 10000000ULL + ts.tv_nsec / 100;
}

struct Search {
    DIR* dir = nullptr;
    std::string folder;
    std::string pattern;
};

bool MatchName(const std::string& pattern, const char* name) {
    if (pattern == "*.*" || pattern == "*") return true;
    return fnmatch(pattern.c_str(), name, FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}

bool FillEntry(const std::string& folder, const char* name, FindEntry* entry) {
    struct stat st;
    std::string full = folder.empty() ? name : folder + "/" + name;
    if (stat(full.c_str(), &st) != 0) return false;
    entry->attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
    if (!(st.st_mode & S_IWUSR)) entry->attributes |= kAttrReadOnly;
    if (name[0] == '.' && std::strcmp(name, ".") && std::strcmp(name, ".."))
        entry->attributes |= kAttrHidden;
    entry->creationTime = ToFileTime(st.st_ctim);
    entry->accessTime = ToFileTime(st.st_atim);
    entry->writeTime = ToFileTime(st.st_mtim);
    uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    entry->sizeHigh = static_cast<uint32_t>(size >> 32);
    entry->sizeLow = static_cast<uint32_t>(size);
    entry->name = name;
    entry->shortName.clear();
    return true;
}

bool ReadMatch(Search* s, FindEntry* entry) {
    while (dirent* e = readdir(s->dir)) {
        if (MatchName(s->pattern, e->d_name) && FillEntry(s->folder, e->d_name, entry))
            return Succeed();
    }
    t_lastError = kErrNoMoreFiles;
    return false;
}

}  // namespace

uint32_t LastError() {
    return t_lastError;
}
void SetLastError(uint32_t code) {
    t_lastError = code;
}

FileHandle OpenForRead(const char* path, bool sequential) {
    std::string p = Resolve(path);
    int fd = open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail(), kInvalidFile;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        t_lastError = kErrAccessDenied;
        return kInvalidFile;
    }
    if (sequential) posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    Succeed();
    return fd;
}

FileHandle OpenForWrite(const char* path, WriteMode mode) {
    std::string p = Resolve(path);
    int flags = O_CLOEXEC;
    if (mode == WriteMode::kExisting)
        flags |= O_WRONLY;
    else
        flags |= O_RDWR | O_CREAT | (mode == WriteMode::kReplace ? O_TRUNC : O_EXCL);
    int fd = open(p.c_str(), flags, 0666);
    if (fd < 0) return Fail(), kInvalidFile;
    Succeed();
    return fd;
}

FileHandle CreatePrivate(const char* path) {
    std::string p = Resolve(path);
    int fd = open(p.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return Fail(), kInvalidFile;
    fchmod(fd, 0600);  // an existing file made by someone less careful
    Succeed();
    return fd;
}

bool FlushToDisk(FileHandle h) {
    if (uint32_t e = InjectedFault(FileOp::kFlush, nullptr)) return t_lastError = e, false;
    while (fsync(static_cast<int>(h)) != 0)
        if (errno != EINTR) return Fail();
    return Succeed();
}

void Close(FileHandle h) {
    if (h != kInvalidFile) close(static_cast<int>(h));
}

long Read(FileHandle h, void* bytes, unsigned long count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = read(static_cast<int>(h), static_cast<char*>(bytes) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(), -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    Succeed();
    return static_cast<long>(done);
}

long Write(FileHandle h, const void* bytes, unsigned long count) {
    if (uint32_t e = InjectedFault(FileOp::kWrite, nullptr)) return t_lastError = e, -1;
    size_t done = 0;
    while (done < count) {
        ssize_t n =
            write(static_cast<int>(h), static_cast<const char*>(bytes) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (done) break;
            return Fail(), -1;
        }
        done += static_cast<size_t>(n);
    }
    Succeed();
    return static_cast<long>(done);
}

long long Seek(FileHandle h, long long offset, int origin) {
    static const int kWhence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) return t_lastError = kErrInvalidParameter, -1;
    off_t r = lseek(static_cast<int>(h), static_cast<off_t>(offset), kWhence[origin]);
    if (r < 0) return Fail(), -1;
    Succeed();
    return r;
}

uint32_t GetAttributes(const char* path) {
    std::string p = Resolve(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return Fail(), kInvalidAttributes;
    uint32_t a = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
    if (!(st.st_mode & S_IWUSR)) a |= kAttrReadOnly;
    Succeed();
    return a;
}

bool SetAttributes(const char* path, uint32_t attributes) {
    std::string p = Resolve(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return Fail();
    mode_t mode = st.st_mode & 07777;
    if (attributes & kAttrReadOnly)
        mode &= ~static_cast<mode_t>(0222);
    else
        mode |= S_IWUSR;
    if (chmod(p.c_str(), mode) != 0) return Fail();
    return Succeed();
}

bool FileExists(const char* path) {
    return GetAttributes(path) != kInvalidAttributes;
}

bool IsDirectory(const char* path) {
    uint32_t a = GetAttributes(path);
    return a != kInvalidAttributes && (a & kAttrDirectory);
}

long long FileSize(const char* path) {
    std::string p = Resolve(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return Fail(), -1;
    Succeed();
    return st.st_size;
}

bool GetWriteTime(const char* path, uint32_t* seconds) {
    std::string p = Resolve(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return Fail();
    *seconds = static_cast<uint32_t>(st.st_mtim.tv_sec);
    return Succeed();
}

bool SetWriteTime(const char* path, uint32_t seconds) {
    std::string p = Resolve(path);
    struct timeval tv[2];
    tv[0].tv_sec = tv[1].tv_sec = static_cast<time_t>(seconds);
    tv[0].tv_usec = tv[1].tv_usec = 0;
    if (utimes(p.c_str(), tv) != 0) return Fail();
    return Succeed();
}

bool RemoveFile(const char* path) {
    if (uint32_t e = InjectedFault(FileOp::kRemove, path)) return t_lastError = e, false;
    std::string p = Resolve(path);
    struct stat st;
    if (lstat(p.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return t_lastError = kErrAccessDenied, false;
        // Windows refuses to delete a read-only file; keep that rule here.
        if (!(st.st_mode & S_IWUSR)) return t_lastError = kErrAccessDenied, false;
    }
    if (unlink(p.c_str()) != 0) return Fail();
    return Succeed();
}

bool MoveFileTo(const char* from, const char* to, bool replace) {
    if (uint32_t e = InjectedFault(FileOp::kRename, to)) return t_lastError = e, false;
    std::string a = Resolve(from), b = Resolve(to);
    struct stat st;
    if (lstat(a.c_str(), &st) != 0) return Fail();
    if (!replace && lstat(b.c_str(), &st) == 0) return t_lastError = kErrAlreadyExists, false;
    if (rename(a.c_str(), b.c_str()) != 0) return Fail();
    return Succeed();
}

bool ReplaceDurably(const char* from, const char* to) {
    if (uint32_t e = InjectedFault(FileOp::kRename, to)) return t_lastError = e, false;
    std::string a = Resolve(from), b = Resolve(to);
    if (rename(a.c_str(), b.c_str()) != 0) return Fail();
    size_t slash = b.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : b.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // some file systems cannot flush a folder; the rename stands anyway
        close(fd);
    }
    return Succeed();
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
    std::string a = Resolve(from), b = Resolve(to);
    int in = open(a.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Fail();
    int out =
        open(b.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC), 0666);
    if (out < 0) {
        Fail();
        close(in);
        return false;
    }
    std::vector<char> buf(1 << 16);
    bool ok = true;
    for (;;) {
        ssize_t n = read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (Write(out, buf.data(), static_cast<unsigned long>(n)) != n) {
            ok = false;
            break;
        }
    }
    if (!ok) Fail();
    struct stat st;
    if (ok && fstat(in, &st) == 0) {
        struct timespec ts[2] = {st.st_atim, st.st_mtim};
        futimens(out, ts);
    }
    close(in);
    if (close(out) != 0) ok = Fail();
    return ok ? Succeed() : false;
}

bool MakeDirectory(const char* path) {
    std::string p = Resolve(path);
    if (mkdir(p.c_str(), 0777) != 0) {
        if (errno == EEXIST) return t_lastError = kErrAlreadyExists, false;
        if (errno == ENOENT) return t_lastError = kErrPathNotFound, false;
        return Fail();
    }
    return Succeed();
}

bool RemoveDir(const char* path) {
    std::string p = Resolve(path);
    if (rmdir(p.c_str()) != 0) return Fail();
    return Succeed();
}

FindHandle FindFirst(const char* pattern, FindEntry* entry) {
    std::string p = Slashes(pattern);
    size_t slash = p.rfind('/');
    auto* s = new Search;
    s->folder = slash == std::string::npos ? "" : (slash == 0 ? "/" : p.substr(0, slash));
    s->pattern = slash == std::string::npos ? p : p.substr(slash + 1);
    if (!s->folder.empty()) s->folder = Resolve(s->folder.c_str());
    s->dir = opendir(s->folder.empty() ? "." : s->folder.c_str());
    if (!s->dir) {
        Fail();
        if (t_lastError == kErrFileNotFound) t_lastError = kErrPathNotFound;
        delete s;
        return kInvalidFind;
    }
    if (!ReadMatch(s, entry)) {
        t_lastError = kErrFileNotFound;
        closedir(s->dir);
        delete s;
        return kInvalidFind;
    }
    return reinterpret_cast<FindHandle>(s);
}

bool FindNext(FindHandle h, FindEntry* entry) {
    if (h == kInvalidFind) return t_lastError = kErrInvalidHandle, false;
    return ReadMatch(reinterpret_cast<Search*>(h), entry);
}

void FindClose(FindHandle h) {
    if (h == kInvalidFind) return;
    auto* s = reinterpret_cast<Search*>(h);
    closedir(s->dir);
    delete s;
}

char PathSeparator() {
    return '/';
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    char last = dir.back();
    return (last == '/' || last == '\\') ? dir + name : dir + "/" + name;
}

std::string ProgramDirectory() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<size_t>(n));
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

}  // namespace platform
