#include "watchlist/SafeSave.h"

#include <memory>
#include <vector>

#include "platform/Files.h"
#include "stream/FileStream.h"

namespace {

uint32_t ErrorOr(uint32_t error, uint32_t fallback) {
    return error ? error : fallback;
}

}  // namespace

std::string ReplacementPath(const std::string& path) {
    return path + ".new";
}

uint32_t WriteReplacement(const std::string& path, const FileFiller& fill, bool ownerOnly) {
    std::string temp = ReplacementPath(path);
    uint32_t error = 0;
    {
        std::unique_ptr<ofwstream> out(ownerOnly
                                           ? new ofwstream(temp.c_str(), ofwstream::OwnerOnly{})
                                           : new ofwstream(temp.c_str()));
        if (out->OpenError()) return out->OpenError();
        bool filled = fill(*out) == 0 && !out->IsError();
        if (!filled) error = ErrorOr(out->WriteError(), platform::kErrWriteFault);
        if (!out->Close(true) && !error)
            error = ErrorOr(out->WriteError(), platform::kErrWriteFault);
    }
    if (error) platform::RemoveFile(temp.c_str());
    return error;
}

uint32_t CommitReplacement(const std::string& path) {
    std::string temp = ReplacementPath(path);
    if (platform::ReplaceDurably(temp.c_str(), path.c_str())) return 0;
    uint32_t error = ErrorOr(platform::LastError(), platform::kErrWriteFault);
    platform::RemoveFile(temp.c_str());
    return error;
}

void DiscardReplacement(const std::string& path) {
    platform::RemoveFile(ReplacementPath(path).c_str());
}

uint32_t SaveFileWhole(const std::string& path, const FileFiller& fill, bool ownerOnly) {
    if (uint32_t error = WriteReplacement(path, fill, ownerOnly)) return error;
    return CommitReplacement(path);
}

uint32_t CopyFileWhole(const std::string& from, const std::string& to, bool ownerOnly) {
    platform::FileHandle in = platform::OpenForRead(from.c_str(), true);
    if (in == platform::kInvalidFile)
        return ErrorOr(platform::LastError(), platform::kErrFileNotFound);
    uint32_t readError = 0;
    auto copy = [&](owstream& os) {
        std::vector<char> block(1 << 16);
        for (;;) {
            long n = platform::Read(in, block.data(), static_cast<unsigned long>(block.size()));
            if (n < 0) {
                readError = ErrorOr(platform::LastError(), platform::kErrWriteFault);
                return -1;
            }
            if (n == 0) return 0;
            if (os.Write(block.data(), n) != n) return -1;
        }
    };
    uint32_t error = SaveFileWhole(to, copy, ownerOnly);
    platform::Close(in);
    return readError ? readError : error;
}
