#pragma once
// Plain TCP on 127.0.0.1 for the loopback servers of the tests: a listener
// on an ephemeral port and the connections it accepts. Every wait is
// bounded, so a server thread can always look at its stop flag.
#include <cstddef>
#include <cstdint>
#include <string>

class LoopbackConnection {
  public:
    explicit LoopbackConnection(intptr_t socket) : socket_(socket) {}
    ~LoopbackConnection() { Close(); }
    LoopbackConnection(const LoopbackConnection&) = delete;
    LoopbackConnection& operator=(const LoopbackConnection&) = delete;

    // Sends all bytes; false when the peer is gone.
    bool Send(const char* bytes, size_t count);
    bool Send(const std::string& bytes) { return Send(bytes.data(), bytes.size()); }
    // True when bytes (or the peer's close) are waiting within ms.
    bool WaitReadable(uint32_t ms);
    // Up to count bytes: the count, 0 when the peer closed, -1 on error.
    long Receive(char* bytes, size_t count);
    void Close();

  private:
    intptr_t socket_;
};

class LoopbackListener {
  public:
    LoopbackListener();  // binds 127.0.0.1 port 0 and listens
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    uint16_t Port() const { return port_; }
    // An accepted socket, or -1 when none came within ms.
    intptr_t Accept(uint32_t ms);

  private:
    intptr_t socket_ = -1;
    uint16_t port_ = 0;
};
