#pragma once
// A CommPort over a TCP socket of the platform's socket library.
#include <cstdint>

#include "platform/Socket.h"
#include "socket/CommPort.h"

namespace platform {
class Thread;
}

// Asked while a connect runs in a thread of its own whether to go on
// waiting for it.
class ConnectWaiter {
  public:
    virtual bool KeepWaiting() = 0;

  protected:
    ~ConnectWaiter() = default;
};

class CommSocket : public CommPort {
  public:
    // Starts the socket library (version 1.1).
    CommSocket();
    // Closes the socket, stops the library, then ends a pending transfer.
    ~CommSocket() override;

    // Safe against a Close of the same port from another thread: the
    // socket is taken under a lock that all sockets share.
    void Close() override;
    bool IsOpen() override;
    // A recv of 0 bytes (the peer closed) gives 10054.
    uint32_t ReadAll(void* bytes, long count) override;
    // 0 bytes sent for a non-empty request gives 10054.
    uint32_t Send(const void* bytes, long count) override;
    // One send and one recv that say how much they moved (for the TLS
    // layer above): a recv of 0 bytes gives 10054.
    uint32_t SendSome(const void* bytes, long count, long* sent);
    uint32_t ReceiveSome(void* bytes, long max, long* received);
    uint32_t IsIdle(bool* idle) override;
    uint32_t WaitIdle(uint32_t milliseconds, bool* idle) override;
    bool HasNoData() override;
    // " socket=" and the number, or " socket=INVALID".
    void Dump(otwstream& out) override;

    // Closes any socket and creates a new one; 0 or the library's error.
    uint32_t Open(int family, int type, int protocol);
    // A stream socket to host (dotted address or name) and port. With a
    // worker thread, aborting that thread closes this port for the rest of
    // the call (and 1223 is returned when it is already aborted); with a
    // waiter, the connect runs in a thread of its own and 1223 is returned
    // as soon as the waiter gives up.
    uint32_t Connect(const char* host, uint16_t port, platform::Thread* worker = nullptr,
                     ConnectWaiter* waiter = nullptr);

    platform::SocketHandle Handle() const { return socket_; }

  private:
    friend class CommSocketPin;
    // The socket for one operation, kept from being closed under it; the
    // close that arrives meanwhile is finished by Unpin.
    platform::SocketHandle Pin();
    void Unpin();
    uint32_t RunConnect(const platform::SocketAddress& address, ConnectWaiter* waiter);

    uint32_t startupError_;
    platform::SocketHandle socket_ = platform::kNoSocket;
    int pins_ = 0;
    platform::SocketHandle orphan_ = platform::kNoSocket;  // closed while pinned
};
