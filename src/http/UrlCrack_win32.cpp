#include <windows.h>
#include <wininet.h>

#include <vector>

#include "http/UrlCrack.h"

namespace {

// The library's URL buffers hold this many bytes.
constexpr DWORD kUrlBuffer = 2084;
constexpr DWORD kNameBuffer = 128;

uint32_t ServiceOf(INTERNET_SCHEME scheme) {
    switch (scheme) {
        case INTERNET_SCHEME_FTP:
            return kServiceFtp;
        case INTERNET_SCHEME_GOPHER:
            return kServiceGopher;
        case INTERNET_SCHEME_HTTP:
            return kServiceHttp;
        case INTERNET_SCHEME_HTTPS:
            return kServiceHttps;
        case INTERNET_SCHEME_FILE:
            return kServiceFile;
        case INTERNET_SCHEME_NEWS:
            return kServiceNews;
        case INTERNET_SCHEME_MAILTO:
            return kServiceMailto;
        default:
            return kServiceUnknown;
    }
}

}  // namespace

bool CanonicalizeUrl(const char* url, uint32_t flags, AStr* out) {
    std::vector<char> buffer(kUrlBuffer, 0);
    DWORD size = kUrlBuffer;
    BOOL ok = InternetCanonicalizeUrlA(url, buffer.data(), &size, flags);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        buffer.assign(size + 1, 0);
        size = static_cast<DWORD>(buffer.size());
        ok = InternetCanonicalizeUrlA(url, buffer.data(), &size, flags);
    }
    *out = ok ? buffer.data() : "";
    return ok != 0;
}

bool CrackUrl(const char* url, CrackedUrl* parts) {
    std::vector<char> host(kUrlBuffer, 0), path(kUrlBuffer, 0);
    char user[kNameBuffer] = "", password[kNameBuffer] = "";
    URL_COMPONENTSA c{};
    c.dwStructSize = sizeof c;
    c.lpszHostName = host.data();
    c.dwHostNameLength = kUrlBuffer;
    c.lpszUrlPath = path.data();
    c.dwUrlPathLength = kUrlBuffer;
    c.lpszUserName = user;
    c.dwUserNameLength = kNameBuffer;
    c.lpszPassword = password;
    c.dwPasswordLength = kNameBuffer;
    if (!InternetCrackUrlA(url, 0, 0, &c)) return false;
    parts->service = ServiceOf(c.nScheme);
    parts->host = host.data();
    parts->port = c.nPort;
    parts->user = user;
    parts->password = password;
    parts->path = path.data();
    return true;
}

bool CombineUrlText(const char* base, const char* relative, uint32_t flags, AStr* out) {
    char buffer[kUrlBuffer + 1] = "";
    DWORD size = kUrlBuffer;
    BOOL ok = InternetCombineUrlA(base, relative, buffer, &size, flags);
    *out = ok ? buffer : "";
    return ok != 0;
}
