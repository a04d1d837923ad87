#pragma once
// A CommPort over a connected socket that speaks plain until StartTls and
// TLS after it, with the same line reading, time-out and abort: every raw
// read waits no longer than the line time-out, and closing the port (from
// an abort hook too) closes the socket under it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "socket/CommSocket.h"
#include "socket/TlsSession.h"
#include "socket/TlsTrust.h"

class CommTlsPort : public CommPort, private TlsTransport {
  public:
    // The socket must outlive the port.
    explicit CommTlsPort(CommSocket& socket) : socket_(socket) {}
    ~CommTlsPort() override;

    // The handshake for host and the judgement of the server's certificate
    // (the trust store and host name, or one of the pins). 0 or an error
    // code; on an error the port must not be used for the dialogue again.
    uint32_t StartTls(const char* host, const std::vector<TlsPin>& pins);
    bool IsSecure() const { return secure_; }
    // The server's certificate after a handshake (also after a rejection).
    const TlsPeer* Peer() const { return session_ ? &session_->Peer() : nullptr; }

    void Close() override;
    bool IsOpen() override { return socket_.IsOpen(); }
    uint32_t ReadAll(void* bytes, long count) override;
    // Sends every byte (as records once secure).
    uint32_t Send(const void* bytes, long count) override;
    uint32_t IsIdle(bool* idle) override { return WaitIdle(0, idle); }
    // Bytes the session holds (decrypted or not) count as waiting data.
    uint32_t WaitIdle(uint32_t milliseconds, bool* idle) override;
    bool HasNoData() override;
    // The socket's dump and " tls" once secure.
    void Dump(otwstream& out) override;

  private:
    uint32_t SendRaw(const void* bytes, long count) override;
    uint32_t ReceiveRaw(void* bytes, long max, long* received) override;

    CommSocket& socket_;
    std::unique_ptr<TlsSession> session_;
    bool secure_ = false;
    std::string plain_;  // decrypted, not yet read
    size_t plainPos_ = 0;
};
