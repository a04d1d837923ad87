// The links of a page found as plain text: every "HTTP://" up to the next
// separator, read block by block.
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unordered_set>

#include "import/SourceReaders.h"

namespace {

constexpr char kLinkStart[] = "HTTP://";
constexpr long kLinkStartLength = sizeof kLinkStart - 1;
constexpr long kSmallestBuffer = 1024;
constexpr long kBufferStep = 1024;
// Fewer bytes than this after a link: more of the file is read behind them.
constexpr long kRefillBelow = 300;

bool IsSeparator(char c) {
    return std::strchr(" \",'\n\r\t", c) != nullptr && c != 0;
}

// The first "HTTP://" at or after `from`, without regard to case, or -1.
long FindLinkStart(const char* data, long from, long end) {
    for (long i = from; i + kLinkStartLength <= end; ++i) {
        if ((data[i] | 0x20) != 'h') continue;
        long k = 1;
        while (k < kLinkStartLength &&
               (data[i + k] & ~(kLinkStart[k] >= 'A' ? 0x20 : 0)) == kLinkStart[k])
            ++k;
        if (k == kLinkStartLength) return i;
    }
    return -1;
}

// The largest buffer that can be had, from the wanted size down in steps.
std::unique_ptr<char[]> AllocateBuffer(long* size) {
    for (long s = *size; s >= kSmallestBuffer; s -= kBufferStep) {
        if (char* b = new (std::nothrow) char[s]) {
            *size = s;
            return std::unique_ptr<char[]>(b);
        }
    }
    *size = 0;
    return nullptr;
}

class LinkScanner {
  public:
    LinkScanner(const BlockReader& read, ImportNode& into, const ItemProperties& defaults)
        : read_(read), into_(into), defaults_(defaults) {
        for (const ImportNode* e = into.FirstEntry(); e; e = e->NextEntry())
            names_.insert(e->properties.name.c_str());
    }

    uint32_t Run(long wanted) {
        long size = wanted < kSmallestBuffer ? kSmallestBuffer : wanted;
        buffer_ = AllocateBuffer(&size);
        if (!buffer_) return 8;  // not enough memory
        size_ = size;
        if (!Fill()) return error_;
        long pos = 0;
        while (true) {
            long hit = FindLinkStart(buffer_.get(), pos, end_);
            if (hit < 0) {
                if (atEnd_) return 0;
                // Keep the last bytes so that a start split between two
                // blocks is found whole.
                Keep(end_ > kLinkStartLength ? end_ - kLinkStartLength : 0);
                pos = 0;
                if (!Fill()) return error_;
                continue;
            }
            long stop = LinkEnd(hit);
            if (stop == end_ && !atEnd_ && hit > 0) {
                // The link may go on in the next block: read it whole.
                Keep(hit);
                if (!Fill()) return error_;
                pos = 0;
                continue;
            }
            Add(hit, stop);
            pos = stop;
            if (end_ - pos < kRefillBelow && !atEnd_) {
                Keep(pos);
                pos = 0;
                if (!Fill()) return error_;
            }
        }
    }

  private:
    long LinkEnd(long from) const {
        long i = from;
        while (i < end_ && !IsSeparator(buffer_[i])) ++i;
        return i;
    }
    void Add(long from, long to) {
        std::string link(buffer_.get() + from, static_cast<size_t>(to - from));
        if (!names_.insert(link).second) return;
        AStr text(link.c_str(), link.size());
        into_.Append(new ImportNode(defaults_, text, text));
    }
    // Moves the bytes from `from` on to the front of the buffer.
    void Keep(long from) {
        std::memmove(buffer_.get(), buffer_.get() + from, static_cast<size_t>(end_ - from));
        end_ -= from;
    }
    // Reads behind the kept bytes until the buffer is full or the file ends;
    // false on a read error.
    bool Fill() {
        while (end_ < size_ && !atEnd_) {
            uint32_t error = 0;
            long n = read_(buffer_.get() + end_, size_ - end_, &error);
            if (n < 0) {
                error_ = error ? error : 30;  // a read fault without a code
                return false;
            }
            if (n == 0) atEnd_ = true;
            end_ += n > size_ - end_ ? size_ - end_ : n;
        }
        return true;
    }

    const BlockReader& read_;
    ImportNode& into_;
    const ItemProperties& defaults_;
    std::unordered_set<std::string> names_;
    std::unique_ptr<char[]> buffer_;
    long size_ = 0;
    long end_ = 0;
    bool atEnd_ = false;
    uint32_t error_ = 0;
};

}  // namespace

uint32_t ExtractPageLinks(const BlockReader& read, ImportNode& into, const ItemProperties& defaults,
                          long bufferSize) {
    return LinkScanner(read, into, defaults).Run(bufferSize);
}
