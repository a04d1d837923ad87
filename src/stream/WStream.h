#pragma once
// The stream library: a stream keeps the error state and formats nothing; a
// stream buffer moves raw bytes to and from one medium. Streams never throw:
// each operation returns a count or -1 and sets state bits that callers test
// after a sequence of operations.
#include <cstddef>
#include <cstdint>

// Raw byte mover. A buffer implements Read and Write for what its medium
// can do (a direction it cannot do fails with -1); ReadDirect and
// WriteDirect, which bypass any block a buffer keeps, default to them.
class wstreambuf {
  public:
    virtual ~wstreambuf() = default;
    virtual bool IsOpen() { return true; }
    virtual long SizeLimit() { return -2; }
    virtual long Read(void*, long) { return -1; }
    virtual long ReadDirect(void* bytes, long count) { return Read(bytes, count); }
    virtual long Write(const void*, long) { return -1; }
    virtual long WriteDirect(const void* bytes, long count) { return Write(bytes, count); }
    virtual long Seek(long offset, int origin) = 0;
    virtual long Tell() { return Seek(0, 1); }
    virtual long LastError() { return -1; }
};

class wstream {
  public:
    enum : uint32_t {
        kEnd = 0x01,   // a read returned fewer bytes than asked for
        kFail = 0x02,  // an operation failed
        kBad = 0x04,   // the buffer could not be opened
        kHard = 0x80,  // hard failure
        kErrorMask = kFail | kBad | kHard,
    };

    wstream() = default;
    wstream(const wstream&) = delete;
    wstream& operator=(const wstream&) = delete;
    virtual ~wstream() = default;

    // origin 0 from the start, 1 from the current position, 2 from the end;
    // the new position, or -1 with fail set. A successful seek clears end.
    virtual long Seek(long offset, int origin);
    virtual long Tell() { return Seek(0, 1); }
    // The buffer's last error, -1 without a buffer.
    virtual long LastError() { return buf_ ? buf_->LastError() : -1; }

    uint32_t State() const { return state_; }
    bool IsError() const { return (state_ & kErrorMask) != 0; }
    bool IsEnd() const { return (state_ & kEnd) != 0; }
    bool IsGood() const { return state_ == 0; }
    void SetState(uint32_t bits) { state_ |= bits; }
    void ClearState(uint32_t bits) { state_ &= ~bits; }
    wstreambuf* Buffer() const { return buf_; }

    // Attaching a buffer sets the state to 0 when the buffer is open, else to
    // bad; attaching none leaves the state alone.
    void Attach(wstreambuf* buf);

  protected:
    wstreambuf* buf_ = nullptr;
    uint32_t state_ = 0;
};

// Unbuffered input.
class iwstream : public virtual wstream {
  public:
    virtual long Read(void* bytes, long count);
    virtual long ReadDirect(void* bytes, long count);

    // The next byte with CR LF, LF CR, CR and LF each turned into one LF;
    // 0 at the end of the data.
    int GetChar();
    // Up to capacity-1 bytes until LF or a 0 byte, stored without the line end
    // and zero-terminated; also stops when the stream is in error. Returns
    // false when nothing more could be read (end of data, or error).
    bool GetLine(char* buffer, long capacity, long* count = nullptr);

  private:
    int pendingLineEnd_ = 0;  // the last CR or LF, to pair with the next byte
};

// Unbuffered output.
class owstream : public virtual wstream {
  public:
    virtual long Write(const void* bytes, long count);
    virtual long WriteDirect(const void* bytes, long count);

    // A zero-terminated string; its length is taken when -1 is passed.
    long WriteText(const char* s, long length = -1);
    long WriteNewLine() { return WriteText("\r\n", 2); }
    long WriteLine(const char* s) {
        long n = WriteText(s);
        return n < 0 || WriteNewLine() < 0 ? -1 : n + 2;
    }
};

// Buffered input over any buffer.
class ibwstream : public iwstream {
  public:
    explicit ibwstream(long blockSize);
    ~ibwstream() override;
    long Read(void* bytes, long count) override;
    long ReadDirect(void* bytes, long count) override;
    long Seek(long offset, int origin) override;
    long Tell() override;

    // One byte, or -1 at the end of the data or on error (state set as by
    // Read). Inline for byte-at-a-time readers such as the tokenizer.
    int GetByte() {
        if (cur_ != end_) return static_cast<unsigned char>(*cur_++);
        unsigned char c;
        return Read(&c, 1) == 1 ? c : -1;
    }
    // The bytes read ahead and not yet taken (none before the first read
    // and after a seek), so that a scanner can look for its stop byte in a
    // whole block; Skip takes `count` of them.
    const char* Ahead(size_t* count) const {
        *count = static_cast<size_t>(end_ - cur_);
        return cur_;
    }
    void Skip(size_t count) { cur_ += count; }

  private:
    long size_;
    char* block_;
    char* cur_;
    char* end_;
    long endPos_ = 0;  // stream position of the end of the valid data
};

// Buffered output over any buffer. Derived classes that own their buffer
// must call Flush() in their destructor, before the buffer goes.
class obwstream : public owstream {
  public:
    explicit obwstream(long blockSize);
    ~obwstream() override;
    long Write(const void* bytes, long count) override;
    long WriteDirect(const void* bytes, long count) override;
    long Seek(long offset, int origin) override;
    long Tell() override;
    // Writes out the block; false (and fail set) on a short write-out.
    bool Flush();

  private:
    long size_;
    char* block_;
    char* cur_;
    char* high_;         // end of the written data in the block
    long blockPos_ = 0;  // stream position of the block's start
};
