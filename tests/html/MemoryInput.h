#pragma once
// Markup from a string through a buffered stream with a chosen block size,
// so that tokenizer tests run over whole input and over small pieces alike.
#include <string>

#include "stream/MemStream.h"
#include "stream/WStream.h"

class MemoryInput : public ibwstream {
  public:
    explicit MemoryInput(const std::string& bytes, long blockSize = 4096)
        : ibwstream(blockSize),
          bytes_(bytes),
          mem_(bytes_.data(), static_cast<long>(bytes_.size())) {
        Attach(&mem_);
    }

  private:
    std::string bytes_;
    mwstreambuf mem_;
};

// A buffer whose reads fail after `good` bytes.
class FailingBuf : public wstreambuf {
  public:
    FailingBuf(std::string bytes, long good) : bytes_(std::move(bytes)), good_(good) {}
    long Read(void* out, long count) override {
        if (pos_ >= good_) return -1;
        long n =
            std::min<long>(count, std::min<long>(good_, static_cast<long>(bytes_.size())) - pos_);
        bytes_.copy(static_cast<char*>(out), static_cast<size_t>(n), static_cast<size_t>(pos_));
        pos_ += n;
        return n;
    }
    long Seek(long, int) override { return -1; }

  private:
    std::string bytes_;
    long good_;
    long pos_ = 0;
};
