#include "stream/FileUtils.h"

#include <cstring>
#include <string>

#include "platform/Files.h"

namespace {

bool Report(bool ok, uint32_t* error) {
    if (error) *error = ok ? 0 : platform::LastError();
    return ok;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Index just past the root of a path: the drive ("C:\"), the server and
// share of a network path ("\\server\share\"), or a leading separator.
size_t RootLength(const std::string& p) {
    if (p.size() >= 3 && p[1] == ':' && IsSeparator(p[2])) return 3;
    if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) {
        size_t i = 2, parts = 0;
        while (i < p.size() && parts < 2) {
            if (IsSeparator(p[i])) ++parts;
            ++i;
        }
        return i;
    }
    return !p.empty() && IsSeparator(p[0]) ? 1 : 0;
}

}  // namespace

bool EraseFile(const char* path, bool force, uint32_t* error) {
    if (!path) return platform::SetLastError(platform::kErrInvalidParameter), Report(false, error);
    if (platform::RemoveFile(path)) return Report(true, error);
    if (force) {
        uint32_t a = platform::GetAttributes(path);
        if (a != platform::kInvalidAttributes) {
            platform::SetAttributes(path, a & ~(platform::kAttrReadOnly | platform::kAttrHidden |
                                                platform::kAttrSystem));
            return Report(platform::RemoveFile(path), error);
        }
    }
    return Report(false, error);
}

bool RenameFile(const char* from, const char* to, bool replace, uint32_t* error) {
    if (!from || !to) {
        platform::SetLastError(platform::kErrInvalidParameter);
        return Report(false, error);
    }
    return Report(platform::MoveFileTo(from, to, replace), error);
}

bool CreateFolder(const char* path, bool parents, uint32_t* error) {
    if (!path || !*path) {
        platform::SetLastError(platform::kErrInvalidParameter);
        return Report(false, error);
    }
    if (platform::MakeDirectory(path)) return Report(true, error);
    if (!parents) return Report(false, error);
    std::string p(path);
    while (p.size() > 1 && IsSeparator(p.back())) p.pop_back();
    for (size_t i = RootLength(p); i < p.size(); ++i) {
        if (!IsSeparator(p[i])) continue;
        std::string part = p.substr(0, i);
        if (!platform::MakeDirectory(part.c_str()) &&
            platform::LastError() != platform::kErrAlreadyExists)
            return Report(false, error);
    }
    bool ok =
        platform::MakeDirectory(p.c_str()) || platform::LastError() == platform::kErrAlreadyExists;
    if (ok) platform::SetLastError(0);
    return Report(ok, error);
}

void BackupName(const char* path, char* out, unsigned long capacity) {
    std::string p(path);
    size_t slash = p.find_last_of("\\/");
    size_t dot = p.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) p.resize(dot);
    p += ".BAK";
    std::strncpy(out, p.c_str(), capacity);
    if (capacity) out[capacity - 1] = 0;
}

bool MakeBackup(const char* path, bool move) {
    uint32_t a = platform::GetAttributes(path);
    if (a == platform::kInvalidAttributes ||
        (a & (platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem)))
        return false;
    std::string backup(std::strlen(path) + 8, '\0');
    BackupName(path, &backup[0], static_cast<unsigned long>(backup.size()));
    backup.resize(std::strlen(backup.c_str()));
    EraseFile(backup.c_str(), true);
    bool ok = move ? platform::MoveFileTo(path, backup.c_str(), true)
                   : platform::CopyFileTo(path, backup.c_str(), false);
    return !ok;
}
