#pragma once
// File streams: 512-byte blocks over a file handle.
#include "platform/Files.h"
#include "stream/WStream.h"

class fwstreambuf : public wstreambuf {
  public:
    ~fwstreambuf() override { Close(); }
    bool IsOpen() override { return handle_ != platform::kInvalidFile; }
    long SizeLimit() override { return 65534; }
    long Read(void* bytes, long count) override;
    long Write(const void* bytes, long count) override;
    long Seek(long offset, int origin) override;
    long LastError() override { return static_cast<long>(lastError_); }
    void Close();

  protected:
    platform::FileHandle handle_ = platform::kInvalidFile;
    uint32_t lastError_ = 0;
};

class ifwstreambuf : public fwstreambuf {
  public:
    ifwstreambuf(const char* path, bool sequential);
};

class ofwstreambuf : public fwstreambuf {
  public:
    ofwstreambuf(const char* path, platform::WriteMode mode, bool ownerOnly = false);
    bool FlushToDisk();
};

class ifwstream : public ibwstream {
  public:
    explicit ifwstream(const char* path, bool sequential = false);
    // The platform's error code of the open (0 when it succeeded).
    uint32_t OpenError() const { return openError_; }

  private:
    ifwstreambuf file_;
    uint32_t openError_;
};

class ofwstream : public obwstream {
  public:
    explicit ofwstream(const char* path, platform::WriteMode mode = platform::WriteMode::kReplace);
    // A new or truncated file that only its owner may read.
    struct OwnerOnly {};
    ofwstream(const char* path, OwnerOnly);
    ~ofwstream() override { Flush(); }
    uint32_t OpenError() const { return openError_; }
    // Writes out the block and closes the file; false when anything failed.
    // With toDisk every byte is on the disk before the file is closed.
    bool Close(bool toDisk = false);
    // The error number of the open or of the last failed write (0 for none).
    uint32_t WriteError() {
        return openError_ ? openError_ : static_cast<uint32_t>(file_.LastError());
    }

  private:
    ofwstreambuf file_;
    uint32_t openError_;
};
