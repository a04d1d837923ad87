#pragma once
// Text output: zero-terminated strings and numbers as text, 512-byte blocks.
#include <cstdint>

#include "stream/FileStream.h"
#include "stream/WStream.h"

// Text output over a buffer given by the caller (no medium of its own).
class otwstream : public obwstream {
  public:
    otwstream() : obwstream(512) {}
    explicit otwstream(wstreambuf* buf) : obwstream(512) { Attach(buf); }
    ~otwstream() override { Flush(); }
    otwstream& operator<<(const char* s) {
        WriteText(s);
        return *this;
    }
    // A signed number; the minus sign appears only in radix 10.
    long WriteNumber(int32_t value, int radix = 10);
    long WriteUnsigned(uint32_t value, int radix = 10);
};

class otfwstream : public otwstream {
  public:
    explicit otfwstream(const char* path, platform::WriteMode mode = platform::WriteMode::kReplace)
        : file_(path, mode) {
        Attach(&file_);
    }
    ~otfwstream() override { Flush(); }
    bool Close();

  private:
    ofwstreambuf file_;
};
