#pragma once
// A session of the platform's internet library (WinInet on Windows,
// libcurl elsewhere) and its OpenUrl, which opens any URL and hands back
// the stream buffer that suits its scheme: a file buffer for local files,
// else a network buffer (urlstream.h).
#include <cstdint>

#include "framework/AStr.h"
#include "http/UrlStream.h"
#include "stream/WStream.h"

// Access types of a session (WinInet's INTERNET_OPEN_TYPE_ values).
enum : uint32_t {
    kOpenTypePreconfig = 0,  // the system's own proxy settings
    kOpenTypeDirect = 1,
    kOpenTypeProxy = 3,
};

// Open flags (WinInet's INTERNET_FLAG_ values).
enum : uint32_t {
    kFlagTransferBinary = 0x00000002,
    kFlagKeepConnection = 0x00400000,
    kFlagReload = 0x80000000,  // never from a cache: the server is asked
};

// Status reports of the library (WinInet's INTERNET_STATUS_ values).
enum : uint32_t {
    kStatusHandleCreated = 60,
};

// Platform error numbers of the internet library (WinInet's).
enum : uint32_t {
    kErrInternetTimeout = 12002,
    kErrInternetInternal = 12004,
    kErrInternetNameNotResolved = 12007,
    kErrInternetOperationCancelled = 12017,
    kErrInternetIncorrectHandleType = 12018,
    kErrInternetCannotConnect = 12029,
    kErrInternetConnectionAborted = 12030,
    kErrInternetConnectionReset = 12031,
    kErrInternetSecureFailure = 12175,
    kErrInternetInvalidServerResponse = 12152,
    kErrHttpRedirectFailed = 12156,
};

// How long a request may wait: WinInet's defaults, which the POSIX build
// applies too, so that a stalled server cannot hold a worker forever.
struct InternetTimeouts {
    uint32_t connectMs = 60000;
    uint32_t sendMs = 30000;
    uint32_t receiveMs = 30000;
    // The whole request, however busy the server keeps it (0: no limit).
    uint32_t overallMs = 0;
    // The largest body taken (0: no limit).
    uint64_t maxBodyBytes = 0;
};

// Told of the library's status reports while a URL opens.
class InternetStatusSink {
  public:
    virtual ~InternetStatusSink() = default;
    virtual void OnInternetStatus(uint32_t status) = 0;
};

class CInternetSession {
  public:
    // proxy: "host" or "host:port" for kOpenTypeProxy, else null; bypass
    // and flags as the library takes them.
    CInternetSession(const char* agent, uint32_t accessType, const char* proxy, const char* bypass,
                     uint32_t flags, const InternetTimeouts& timeouts = InternetTimeouts());
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // Closes the session; every later open fails.
    virtual void Close();

    // A new buffer on the URL (the caller deletes it), or null with the
    // platform's last error set. A context of 1 stands for the session's.
    wstreambuf* OpenUrl(const char* url, uint32_t context, uint32_t flags, const char* headers,
                        long headersLength);

    bool IsOpen() const { return session_ != nullptr; }
    // Used only to answer a proxy's 407.
    void SetProxyCredentials(const char* user, const char* password);

  protected:
    // Routes the library's status reports for this session to the sink;
    // RemoveStatusCallback puts back what was there before.
    void InstallStatusCallback(InternetStatusSink* sink);
    void RemoveStatusCallback();

    uint32_t context_ = 1;
    InternetHandle session_ = nullptr;
    AStr proxyUser_;
    AStr proxyPassword_;

  private:
    // The library's part of OpenUrl, for every service but local files.
    // cracked: the URL's service, or 0 when it did not crack.
    wstreambuf* OpenNetworkUrl(const char* url, uint32_t service, uint32_t context, uint32_t flags,
                               const char* headers, long headersLength);

    friend struct SessionCallback;
    InternetTimeouts timeouts_;
    InternetStatusSink* sink_ = nullptr;
    void* previousCallback_ = nullptr;
};

// A moment (seconds since 1970 UTC) as an HTTP date in RFC 1123 form,
// "Sun, 06 Nov 1994 08:49:37 GMT".
AStr FormatInternetTime(uint32_t seconds);
