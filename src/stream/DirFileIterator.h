#pragma once
// Directory search over the entries that match a path pattern.
#include <cstdint>
#include <string>

#include "framework/AStr.h"
#include "platform/Files.h"

// One directory entry.
class FindData {
  public:
    // The long name, or the short name when the long one is empty.
    const char* Name() const;
    // The short name, or the long name when the short one is empty.
    const char* ShortName() const;
    bool IsDots() const;
    bool IsDirectory() const { return (entry_.attributes & platform::kAttrDirectory) != 0; }
    uint32_t Attributes() const { return entry_.attributes; }
    uint64_t Size() const {
        return (static_cast<uint64_t>(entry_.sizeHigh) << 32) | entry_.sizeLow;
    }
    uint64_t WriteTime() const { return entry_.writeTime; }

  protected:
    platform::FindEntry entry_;
};

class FileIterator : public FindData {
  public:
    virtual ~FileIterator() = default;
    virtual bool Restart() = 0;
    virtual bool Next() = 0;
    virtual bool IsValid() const = 0;
};

class DirFileIterator : public FileIterator {
  public:
    explicit DirFileIterator(const char* pattern, bool deferred = false);
    ~DirFileIterator() override;
    DirFileIterator(const DirFileIterator&) = delete;
    DirFileIterator& operator=(const DirFileIterator&) = delete;

    bool Restart() override;
    bool Next() override;
    bool IsValid() const override { return lastError_ == 0; }
    // The last error, with "no more files" (18) reported as 0.
    uint32_t Error() const { return lastError_ == platform::kErrNoMoreFiles ? 0 : lastError_; }

  private:
    void CloseSearch();
    platform::FindHandle handle_ = platform::kInvalidFind;
    uint32_t lastError_ = platform::kErrNoMoreFiles;
    AStr pattern_;
};
