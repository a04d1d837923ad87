#include "pop3/MailHeaders.h"

#include <cstring>

#include "socket/CommPort.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A header folded over more lines than this keeps its first part only; no
// stored string can hold more anyway.
constexpr size_t kMaxHeaderLength = 65534;

}  // namespace

bool HTTPHeaderLineIterator::ReadLine() {
    error_ = port_ ? port_->ReadLine(line_, kMailLineSize) : 0;
    if (!port_) line_[0] = 0;
    return error_ == 0;
}

void HTTPHeaderLineIterator::Split(const char* line) {
    const char* colon = strchr(line, ':');
    if (!colon) {
        name_ = line;
        value_.Clear();
    } else {
        name_.Assign(line, static_cast<size_t>(colon - line));
        const char* v = colon + 1;
        while (IsBlank(*v)) ++v;
        value_ = v;
    }
    name_.MakeLower();
}

bool HTTPHeaderLineIterator::Next() {
    if (!ReadLine() || line_[0] == 0) return false;
    Split(line_);
    return true;
}

bool POP3HeaderLineIterator::Next() {
    if (finished_) return false;
    if (!ReadLine()) return false;
    for (;;) {
        // The "." line ends the reply; a message without a body may send it
        // straight after the headers, without the empty line.
        const bool replyEnd = strcmp(line_, ".") == 0;
        if (line_[0] == 0 || replyEnd) {
            finished_ = 1;
            sawReplyEnd_ = replyEnd;
            if (!hasPending_) return false;
            Split(pending_.c_str());
            hasPending_ = false;
            return true;
        }
        if (IsBlank(line_[0])) {
            const char* rest = line_;
            while (IsBlank(*rest)) ++rest;
            if (pending_.Length() < kMaxHeaderLength) {
                pending_.Append(' ');
                pending_.Append(rest);
            }
            hasPending_ = true;
        } else if (hasPending_) {
            Split(pending_.c_str());
            pending_ = line_;
            return true;
        } else {
            pending_ = line_;
            hasPending_ = true;
        }
        if (!ReadLine()) return false;
    }
}
