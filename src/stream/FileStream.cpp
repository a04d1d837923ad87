#include "stream/FileStream.h"

long fwstreambuf::Read(void* bytes, long count) {
    long n = platform::Read(handle_, bytes, static_cast<unsigned long>(count));
    lastError_ = n < 0 ? platform::LastError() : 0;
    return n;
}

long fwstreambuf::Write(const void* bytes, long count) {
    long n = platform::Write(handle_, bytes, static_cast<unsigned long>(count));
    lastError_ = n < 0 ? platform::LastError() : 0;
    return n;
}

long fwstreambuf::Seek(long offset, int origin) {
    long long pos = platform::Seek(handle_, offset, origin);
    lastError_ = pos < 0 ? platform::LastError() : 0;
    return static_cast<long>(pos);
}

void fwstreambuf::Close() {
    if (handle_ != platform::kInvalidFile) platform::Close(handle_);
    handle_ = platform::kInvalidFile;
}

ifwstreambuf::ifwstreambuf(const char* path, bool sequential) {
    handle_ = platform::OpenForRead(path, sequential);
    lastError_ = handle_ == platform::kInvalidFile ? platform::LastError() : 0;
}

ofwstreambuf::ofwstreambuf(const char* path, platform::WriteMode mode, bool ownerOnly) {
    handle_ = ownerOnly ? platform::CreatePrivate(path) : platform::OpenForWrite(path, mode);
    lastError_ = handle_ == platform::kInvalidFile ? platform::LastError() : 0;
}

bool ofwstreambuf::FlushToDisk() {
    if (platform::FlushToDisk(handle_)) return true;
    lastError_ = platform::LastError();
    return false;
}

ifwstream::ifwstream(const char* path, bool sequential)
    : ibwstream(512),
      file_(path, sequential),
      openError_(static_cast<uint32_t>(file_.LastError())) {
    Attach(&file_);
}

ofwstream::ofwstream(const char* path, platform::WriteMode mode)
    : obwstream(512), file_(path, mode), openError_(static_cast<uint32_t>(file_.LastError())) {
    Attach(&file_);
}

ofwstream::ofwstream(const char* path, OwnerOnly)
    : obwstream(512),
      file_(path, platform::WriteMode::kReplace, true),
      openError_(static_cast<uint32_t>(file_.LastError())) {
    Attach(&file_);
}

bool ofwstream::Close(bool toDisk) {
    bool ok = Flush() && !IsError();
    if (ok && toDisk && file_.IsOpen()) ok = file_.FlushToDisk();
    file_.Close();
    if (!ok) SetState(kFail);
    return ok;
}
