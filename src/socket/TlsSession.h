#pragma once
// TLS over a connection that is already open: the handshake, the
// certificate the server showed, and records in both directions. The
// platform's own library does the work (Schannel on Windows, OpenSSL
// elsewhere); the raw bytes go through a TlsTransport, so time-outs and
// aborts stay those of the socket below.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Result codes of the secure connection (the language texts are code + 50).
enum : uint32_t {
    kTlsHandshakeFailed = 20200,    // no common protocol, a broken record, a refused hello
    kTlsCertExpired = 20201,        // outside its validity dates
    kTlsCertWrongHost = 20202,      // made out to another host name
    kTlsCertUnknownIssuer = 20203,  // self-signed or from an authority the system does not trust
    kTlsCertRejected = 20204,       // any other fault of the certificate or its chain
    kTlsUnavailable = 20205,        // the platform's TLS library could not be used
};

// The raw connection under a session.
class TlsTransport {
  public:
    // Sends every byte; 0 or the socket error.
    virtual uint32_t SendRaw(const void* bytes, long count) = 0;
    // Receives at least one byte and at most max (waiting no longer than
    // the connection's time-out); 0 or the socket error (10054 at the end).
    virtual uint32_t ReceiveRaw(void* bytes, long max, long* received) = 0;

  protected:
    ~TlsTransport() = default;
};

// What the platform found about the server's certificate.
struct TlsPeer {
    std::vector<uint8_t> certificate;  // DER of the server's own certificate
    bool outsideDates = false;         // expired or not yet valid
    bool hostMatches = false;          // names the host asked for
    bool trusted = false;              // chains to a root of the system's trust store
    bool otherFault = false;  // any other fault the system found (signature, use, revocation)
    std::string fingerprint;  // SHA-256 of the DER, upper-case hex pairs joined by ":"
};

class TlsSession {
  public:
    virtual ~TlsSession() = default;
    // The client handshake for host; on success Peer() describes the
    // server's certificate (not yet judged). 0 or an error code.
    virtual uint32_t Handshake(const char* host) = 0;
    virtual const TlsPeer& Peer() const = 0;
    // Appends at least one byte of plain text; 0 or an error code.
    virtual uint32_t Receive(std::string& plain) = 0;
    // Bytes received and not yet returned by Receive (raw or decrypted),
    // so that a wait on the socket would miss them.
    virtual bool HasBuffered() const = 0;
    // Sends the bytes as records; 0 or an error code.
    virtual uint32_t Send(const void* bytes, long count) = 0;
    // Says goodbye to the server (close_notify); errors are not reported.
    virtual void Shutdown() = 0;
};

// A client session of the platform's TLS library over transport (which
// must outlive it); null when the library cannot be used.
std::unique_ptr<TlsSession> NewTlsSession(TlsTransport& transport);
