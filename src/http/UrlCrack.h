#pragma once
// Splitting, canonicalising and joining URLs the way the platform's internet
// library does it: WinInet on Windows, libcurl's URL API elsewhere (with the
// differences that matter here smoothed over, see UrlCrack_posix.cpp).
#include <cstdint>

#include "framework/AStr.h"

// The service a URL's scheme asks for.
enum UrlService : uint32_t {
    kServiceFtp = 1,
    kServiceGopher = 2,
    kServiceHttp = 3,
    kServiceUnknown = 0x1000,
    kServiceFile = 0x1001,
    kServiceMailto = 0x1002,
    kServiceNews = 0x1006,
    kServiceHttps = 0x100B,
};

// Canonicalisation flags (WinInet's ICU_ values).
enum : uint32_t {
    kIcuNoEncode = 0x20000000,     // leave unsafe characters alone
    kIcuBrowserMode = 0x02000000,  // nothing after "?" or "#" is touched
};

// Platform error numbers of URL handling (WinInet's).
enum : uint32_t {
    kErrInternetInvalidUrl = 12005,
    kErrInternetUnrecognizedScheme = 12006,
};

struct CrackedUrl {
    uint32_t service = kServiceUnknown;
    AStr host;
    uint16_t port = 0;  // the scheme's default when none is written
    AStr user;
    AStr password;
    // Everything after the host: path, query and fragment. For a file URL
    // the local path; for a URL without "//" (mailto:, news:) the rest after
    // the scheme.
    AStr path;
};

// Canonical form of a URL; false (with the platform's last error) when it
// cannot be had.
bool CanonicalizeUrl(const char* url, uint32_t flags, AStr* out);
// Splits a URL as written; false (with the platform's last error) when it
// has no scheme the library recognises as one.
bool CrackUrl(const char* url, CrackedUrl* parts);
// Canonicalises with the flags, then cracks the result.
inline bool CrackCanonicalUrl(const char* url, uint32_t flags, CrackedUrl* parts) {
    AStr canonical;
    return CanonicalizeUrl(url, flags, &canonical) && CrackUrl(canonical.c_str(), parts);
}
// Resolves a relative URL against a base; *out is empty when it fails.
bool CombineUrlText(const char* base, const char* relative, uint32_t flags, AStr* out);
