#pragma once
// Header lines read from a connection, one header at a time.
#include <cstdint>

#include "framework/AStr.h"

class CommPort;

constexpr long kMailLineSize = 512;  // a reply line holds at most 511 bytes

// One header per line, without folding; ends at an empty line.
class HTTPHeaderLineIterator {
  public:
    explicit HTTPHeaderLineIterator(CommPort* port) : port_(port) {}
    virtual ~HTTPHeaderLineIterator() = default;
    HTTPHeaderLineIterator(const HTTPHeaderLineIterator&) = delete;
    HTTPHeaderLineIterator& operator=(const HTTPHeaderLineIterator&) = delete;

    // Reads the next header; true when one is available in Name and Value.
    virtual bool Next();
    // 0, or the error of the last line read.
    virtual uint32_t Error() const { return error_; }
    // Name: the text before the first ":", lower-cased; value: the text
    // after it without leading spaces and tabs. A line without ":" is all
    // name.
    virtual void Split(const char* line);

    const AStr& Name() const { return name_; }
    const AStr& Value() const { return value_; }

  protected:
    // Reads one line into line_; false on a read error.
    bool ReadLine();

    AStr name_;
    AStr value_;
    CommPort* port_;
    uint32_t error_ = 0;
    char line_[kMailLineSize] = {};
};

// The headers of a POP3 "TOP" reply: folded lines are joined by one space,
// and an empty line or the ending "." line ends the headers.
class POP3HeaderLineIterator : public HTTPHeaderLineIterator {
  public:
    explicit POP3HeaderLineIterator(CommPort* port) : HTTPHeaderLineIterator(port) {}
    bool Next() override;
    // True when the iterator read the "." line that ends the whole reply.
    bool SawReplyEnd() const { return sawReplyEnd_; }

  private:
    AStr pending_;
    bool hasPending_ = false;
    uint8_t finished_ = 0;
    bool sawReplyEnd_ = false;
};
