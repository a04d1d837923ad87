#pragma once
// URL streams: stream buffers over an open handle of the platform's
// internet library, one kind per service, and the buffered input stream
// that reads a URL through them.
#include <cstdint>

#include "framework/AStr.h"
#include "stream/WStream.h"

// An open handle of the internet library: a WinInet handle on Windows, a
// transfer (CurlTransfer) elsewhere.
using InternetHandle = void*;

// Response header queries (WinInet's HTTP_QUERY_ numbers).
enum : uint32_t {
    kHttpQueryContentType = 1,
    kHttpQueryLastModified = 11,
    kHttpQueryStatusCode = 19,
    kHttpQueryETag = 54,
};

// Any network handle: FTP files, and the base of the others.
class nwstreambuf : public wstreambuf {
  public:
    nwstreambuf(InternetHandle handle, bool readable, uint32_t context)
        : handle_(handle), readable_(readable), context_(context) {}
    ~nwstreambuf() override;  // closes the handle
    nwstreambuf(const nwstreambuf&) = delete;
    nwstreambuf& operator=(const nwstreambuf&) = delete;

    long Read(void* bytes, long count) override;
    long Write(const void* bytes, long count) override;
    long Seek(long offset, int origin) override;
    long LastError() override { return static_cast<long>(lastError_); }

    // The URL the handle stands for after any redirection; 0 or the
    // platform's error.
    uint32_t QueryUrl(AStr* url);

  protected:
    InternetHandle handle_;
    bool readable_;
    uint32_t context_;
    uint32_t lastError_ = 0;
};

class httpwstreambuf : public nwstreambuf {
  public:
    httpwstreambuf(InternetHandle handle, bool readable, uint32_t context, const char* verb)
        : nwstreambuf(handle, readable, context), verb_(verb) {}

    // A response header as text (kHttpQuery...); false when it is absent.
    bool QueryInfo(uint32_t query, AStr* text);
    // The Last-Modified time in seconds since 1970 UTC; false when the
    // header is absent or does not read as a date.
    bool QueryLastModified(uint32_t* seconds);

  private:
    AStr verb_;
};

class gopherwstreambuf : public nwstreambuf {
  public:
    gopherwstreambuf(InternetHandle handle, bool readable, uint32_t context, const char* locator)
        : nwstreambuf(handle, readable, context), locator_(locator) {}
    long Write(const void*, long) override { return -1; }

  private:
    AStr locator_;
};

class CInternetSession;

// Buffered input from a URL, through the buffer the session's OpenUrl
// chooses; in the bad state from the start when the URL did not open.
class iurlwstream : public ibwstream {
  public:
    iurlwstream(CInternetSession& session, const char* url, uint32_t context, uint32_t flags,
                const char* headers, long headersLength);
    ~iurlwstream() override;
    // The platform's error of a failed open; 0 when it opened.
    uint32_t OpenError() const { return openError_; }

  private:
    wstreambuf* owned_;
    uint32_t openError_ = 0;
};
