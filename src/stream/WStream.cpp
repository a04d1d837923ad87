#include "stream/WStream.h"

#include <algorithm>
#include <cstring>

void wstream::Attach(wstreambuf* buf) {
    buf_ = buf;
    if (buf) state_ = buf->IsOpen() ? 0u : static_cast<uint32_t>(kBad);
}

long wstream::Seek(long offset, int origin) {
    if (!buf_ || (state_ & (kBad | kHard))) return SetState(kFail), -1;
    long pos = buf_->Seek(offset, origin);
    if (pos < 0) return SetState(kFail), -1;
    ClearState(kEnd);
    return pos;
}

long iwstream::Read(void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    if (IsEnd()) return 0;
    long n = buf_->Read(bytes, count);
    if (n < 0) return SetState(kFail), -1;
    if (n < count) SetState(kEnd);
    return n;
}

long iwstream::ReadDirect(void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    if (IsEnd()) return 0;
    long n = buf_->ReadDirect(bytes, count);
    if (n < 0) return SetState(kFail), -1;
    if (n < count) SetState(kEnd);
    return n;
}

int iwstream::GetChar() {
    for (;;) {
        unsigned char c;
        if (Read(&c, 1) != 1) {
            pendingLineEnd_ = 0;
            return 0;
        }
        if (c == '\r' || c == '\n') {
            if (pendingLineEnd_ && pendingLineEnd_ != c) {
                // Second half of CR LF or LF CR: already answered.
                pendingLineEnd_ = 0;
                continue;
            }
            pendingLineEnd_ = c;
            return '\n';
        }
        pendingLineEnd_ = 0;
        return c;
    }
}

bool iwstream::GetLine(char* buffer, long capacity, long* count) {
    long n = 0;
    bool any = false;
    while (n < capacity - 1 && !IsError()) {
        int c = GetChar();
        if (c == 0) break;
        any = true;
        if (c == '\n') break;
        buffer[n++] = static_cast<char>(c);
    }
    if (capacity > 0) buffer[n] = 0;
    if (count) *count = n;
    return any;
}

long owstream::Write(const void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    long n = buf_->Write(bytes, count);
    if (n < 0) return SetState(kFail), -1;
    if (n < count) SetState(kEnd);
    return n;
}

long owstream::WriteDirect(const void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    long n = buf_->WriteDirect(bytes, count);
    if (n < 0) return SetState(kFail), -1;
    if (n < count) SetState(kEnd);
    return n;
}

long owstream::WriteText(const char* s, long length) {
    if (!s) s = "";
    if (length < 0) length = static_cast<long>(std::strlen(s));
    return length ? Write(s, length) : (IsError() ? -1 : 0);
}

// ---- buffered input ----

ibwstream::ibwstream(long blockSize)
    : size_(blockSize), block_(new char[blockSize]), cur_(block_), end_(block_) {}

ibwstream::~ibwstream() {
    delete[] block_;
}

long ibwstream::Read(void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    char* out = static_cast<char*>(bytes);
    long served = 0;
    while (served < count) {
        if (cur_ == end_) {
            long n = buf_->Read(block_, size_);
            if (n < 0) SetState(kFail);
            if (n <= 0) break;
            ClearState(kEnd);
            cur_ = block_;
            end_ = block_ + n;
            endPos_ += n;
        }
        long take = std::min<long>(count - served, end_ - cur_);
        std::memcpy(out + served, cur_, static_cast<size_t>(take));
        cur_ += take;
        served += take;
    }
    if (served < count && !(state_ & kFail)) SetState(kEnd);
    return served;
}

long ibwstream::ReadDirect(void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    char* out = static_cast<char*>(bytes);
    long served = std::min<long>(count, end_ - cur_);
    std::memcpy(out, cur_, static_cast<size_t>(served));
    cur_ += served;
    if (served < count) {
        long n = buf_->ReadDirect(out + served, count - served);
        if (n < 0) return SetState(kFail), -1;
        endPos_ += n;
        served += n;
    }
    if (served < count) SetState(kEnd);
    return served;
}

long ibwstream::Tell() {
    return endPos_ - static_cast<long>(end_ - cur_);
}

long ibwstream::Seek(long offset, int origin) {
    if (origin == 1 && offset == 0) return Tell();
    if (origin == 0 || origin == 1) {
        long target = origin == 0 ? offset : Tell() + offset;
        long blockStart = endPos_ - static_cast<long>(end_ - block_);
        if (target >= blockStart && target <= endPos_ && end_ != block_) {
            cur_ = block_ + (target - blockStart);
            ClearState(kEnd);
            return target;
        }
    }
    cur_ = end_ = block_;
    long pos = wstream::Seek(offset, origin);
    if (pos >= 0) endPos_ = pos;
    return pos;
}

// ---- buffered output ----

obwstream::obwstream(long blockSize)
    : size_(blockSize), block_(new char[blockSize]), cur_(block_), high_(block_) {}

obwstream::~obwstream() {
    Flush();
    delete[] block_;
}

bool obwstream::Flush() {
    if (high_ == block_) return true;
    long want = static_cast<long>(high_ - block_);
    long n = buf_ && !IsError() ? buf_->Write(block_, want) : -1;
    if (n > 0) blockPos_ += n;
    cur_ = high_ = block_;
    if (n != want) {
        SetState(kFail);
        return false;
    }
    return true;
}

long obwstream::Write(const void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    const char* in = static_cast<const char*>(bytes);
    long done = 0;
    while (done < count) {
        if (cur_ == block_ + size_ && !Flush()) break;
        long take = std::min<long>(count - done, block_ + size_ - cur_);
        std::memcpy(cur_, in + done, static_cast<size_t>(take));
        cur_ += take;
        if (cur_ > high_) high_ = cur_;
        done += take;
    }
    if (done < count) SetState(kEnd);
    return done;
}

long obwstream::WriteDirect(const void* bytes, long count) {
    if (!buf_ || IsError()) return SetState(kFail), -1;
    if (!Flush()) return -1;
    long n = buf_->WriteDirect(bytes, count);
    if (n < 0) return SetState(kFail), -1;
    blockPos_ += n;
    if (n < count) SetState(kEnd);
    return n;
}

long obwstream::Tell() {
    return blockPos_ + static_cast<long>(cur_ - block_);
}

long obwstream::Seek(long offset, int origin) {
    if (origin == 1 && offset == 0) return Tell();
    if (origin == 0 || origin == 1) {
        long target = origin == 0 ? offset : Tell() + offset;
        if (target >= blockPos_ && target <= blockPos_ + static_cast<long>(high_ - block_)) {
            cur_ = block_ + (target - blockPos_);
            return target;
        }
        if (!Flush()) return -1;
        long pos = wstream::Seek(target, 0);
        if (pos >= 0) blockPos_ = pos;
        return pos;
    }
    if (!Flush()) return -1;
    long pos = wstream::Seek(offset, origin);
    if (pos >= 0) blockPos_ = pos;
    return pos;
}
