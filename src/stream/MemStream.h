#pragma once
// Memory streams: reading a caller's block, writing into a growing block.
#include <cstddef>
#include <vector>

#include "stream/WStream.h"

// Over a memory block: start, position, size. A position beyond the end
// makes reads and writes fail; writing stops at the end of a fixed block.
class mwstreambuf : public wstreambuf {
  public:
    mwstreambuf(const void* start, long size)
        : start_(static_cast<char*>(const_cast<void*>(start))), size_(start ? size : 0) {}
    bool IsOpen() override { return start_ != nullptr; }
    long SizeLimit() override { return 65535; }
    long Read(void* bytes, long count) override;
    long Write(const void* bytes, long count) override;
    long Seek(long offset, int origin) override;

  protected:
    char* start_;
    long pos_ = 0;
    long size_;
};

// Owns a block that grows. Step 0xFFFFFFFF grows the capacity to the size
// plus a third; a positive step rounds the size up to a multiple of it; step
// 0 grows to exactly the size.
class omwstreambuf : public mwstreambuf {
  public:
    explicit omwstreambuf(uint32_t step);
    ~omwstreambuf() override;
    bool IsOpen() override { return true; }
    long Write(const void* bytes, long count) override;
    unsigned long Capacity() const { return capacity_; }
    const char* Data() const { return start_; }
    long Size() const { return size_; }

  private:
    uint32_t step_;
    unsigned long capacity_;
};

class imwstream : public iwstream {
  public:
    // The block must outlive the stream.
    imwstream(const void* block, long size) : mem_(block, size) { Attach(&mem_); }

  private:
    mwstreambuf mem_;
};

class omwstream : public owstream {
  public:
    static constexpr uint32_t kGrowByThird = 0xFFFFFFFF;
    explicit omwstream(uint32_t step = kGrowByThird) : mem_(step) { Attach(&mem_); }
    const char* Data() const { return mem_.Data(); }
    long Size() const { return mem_.Size(); }
    unsigned long Capacity() const { return mem_.Capacity(); }
    // A new copy of exactly the written bytes; empty for an empty stream.
    std::vector<char> CopyContents() const;

  private:
    omwstreambuf mem_;
};

// Input from a resource of a loaded module; starts in the bad state when the
// resource cannot be found or loaded.
class ireswstreambuf : public mwstreambuf {
  public:
    ireswstreambuf(void* module, const char* name, const char* type);
};

class ireswstream : public iwstream {
  public:
    ireswstream(void* module, const char* name, const char* type) : res_(module, name, type) {
        Attach(&res_);
    }

  private:
    ireswstreambuf res_;
};
