#pragma once
// One request over libcurl, read by pulling: Open sends the request and
// waits for the head of the final response (after redirections and the
// proxy's authentication), Read hands out the body as it arrives. libcurl
// is driven only while the reader waits for bytes and holds back when the
// reader is slow, so a body of any size passes through a small buffer.
// The POSIX build's stand-in for a WinInet request handle.
#include <cstdint>
#include <string>

#include "http/InternetSession.h"

struct CurlSettings {
    std::string agent;
    uint32_t accessType = kOpenTypePreconfig;  // preconfigured: the environment's proxy
    std::string proxy;                         // "host:port" for kOpenTypeProxy
    std::string proxyUser;
    std::string proxyPassword;
    InternetTimeouts timeouts;
};

class CurlTransfer {
  public:
    CurlTransfer();
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // headers: extra request header lines, each ended by CR LF. reload:
    // caches on the way are told to ask the server. False with Error() set
    // when no response came.
    bool Open(const CurlSettings& settings, const char* url, const char* headers,
              long headersLength, bool reload);
    // Up to count body bytes; 0 at the end of the body, -1 with Error() set.
    long Read(void* bytes, long count);
    // The platform error number (WinInet's) of the last failure.
    uint32_t Error() const { return error_; }

    long Status();
    // The Content-Type header; false when there is none.
    bool ContentType(std::string* text);
    // The Last-Modified time in seconds since 1970; false when there is none.
    bool LastModified(uint32_t* seconds);
    // A header of the last response by name; false when it has none.
    bool Header(const char* name, std::string* value);
    std::string FinalUrl();

  private:
    // Drives the transfer until body bytes wait or the transfer has ended;
    // false on failure, a receive time-out among them.
    bool WaitForBody();
    bool Failed(uint32_t error);
    // A finished transfer's error in the system's numbers, with the limits
    // told apart from plain failures.
    uint32_t ErrorOfResult(int code) const;
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);

    void* multi_ = nullptr;  // CURLM
    void* easy_ = nullptr;   // CURL
    void* headerList_ = nullptr;
    std::string pending_;  // body bytes handed over by libcurl, not yet read
    size_t pendingAt_ = 0;
    bool paused_ = false;
    bool done_ = false;
    uint32_t error_ = 0;
    uint32_t receiveMs_ = 0;
    uint32_t overallMs_ = 0;  // the whole request; 0: no limit
    uint32_t openTick_ = 0;
    uint64_t maxBody_ = 0;  // 0: no limit
    uint64_t bodyBytes_ = 0;
    uint32_t limitError_ = 0;    // the limit a callback stopped the transfer for
    char errorText_[256] = {};   // libcurl's words for its last failure
    uint32_t lastActivity_ = 0;  // tick of the last bytes from the server
    bool connected_ = false;
};

// Unsafe bytes escaped as %XX. pathOnly: spaces and control bytes before
// the query, as a browser canonicalises a link; otherwise every unsafe byte
// of the URL, and no fragment, as a request line must carry it.
std::string EscapeUnsafeBytes(const std::string& url, bool pathOnly);
