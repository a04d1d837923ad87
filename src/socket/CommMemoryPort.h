#pragma once
// A CommPort over bytes in memory: reads come from a given block, sends are
// collected. It replays a recorded conversation, for example a server's
// replies read back from a file, without a network.
#include <string>

#include "socket/CommPort.h"

class CommMemoryPort : public CommPort {
  public:
    CommMemoryPort(const void* bytes, size_t size)
        : input_(static_cast<const char*>(bytes), size) {}

    void Close() override { open_ = false; }
    bool IsOpen() override { return open_; }
    // The end of the block is a connection the peer closed: the port is
    // never idle, and a read past the end fails with 10054.
    uint32_t ReadAll(void* bytes, long count) override;
    uint32_t Send(const void* bytes, long count) override;
    uint32_t IsIdle(bool* idle) override;
    uint32_t WaitIdle(uint32_t milliseconds, bool* idle) override { return IsIdle(idle); }
    bool HasNoData() override;
    void Dump(otwstream& out) override;

    // Everything sent so far.
    const std::string& Sent() const { return sent_; }

  private:
    std::string input_;
    size_t position_ = 0;
    std::string sent_;
    bool open_ = true;
};
