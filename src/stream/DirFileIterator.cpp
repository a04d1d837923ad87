#include "stream/DirFileIterator.h"

#include <cstring>

const char* FindData::Name() const {
    return entry_.name.empty() ? entry_.shortName.c_str() : entry_.name.c_str();
}

const char* FindData::ShortName() const {
    return entry_.shortName.empty() ? entry_.name.c_str() : entry_.shortName.c_str();
}

bool FindData::IsDots() const {
    const char* n = Name();
    return std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0;
}

DirFileIterator::DirFileIterator(const char* pattern, bool deferred) : pattern_(pattern) {
    if (!deferred) Restart();
}

DirFileIterator::~DirFileIterator() {
    CloseSearch();
}

void DirFileIterator::CloseSearch() {
    platform::FindClose(handle_);
    handle_ = platform::kInvalidFind;
}

bool DirFileIterator::Restart() {
    CloseSearch();
    handle_ = platform::FindFirst(pattern_.c_str(), &entry_);
    lastError_ = handle_ == platform::kInvalidFind ? platform::LastError() : 0;
    if (handle_ == platform::kInvalidFind && lastError_ == 0)
        lastError_ = platform::kErrFileNotFound;
    return IsValid();
}

bool DirFileIterator::Next() {
    if (handle_ == platform::kInvalidFind) {
        lastError_ = platform::kErrNoMoreFiles;
        return false;
    }
    lastError_ = platform::FindNext(handle_, &entry_) ? 0 : platform::LastError();
    return IsValid();
}
