// URL handling over libcurl's URL API. Where WinInet's results differ in
// ways the rest of the system sees, this file answers as WinInet does:
// - a URL without "//" after its scheme (mailto:, news:, "host:port/path")
//   cracks into an empty host and the rest as its path;
// - any run of letters, digits, "+", "-" and "." before the first ":" is a
//   scheme, so "localhost:8080/x" has the unknown scheme "localhost";
// - an absolute local path ("/home/x.htm", "C:\x.htm") is a file URL, and a
//   file URL's path is the local path, decoded;
// - "http://" with no host still cracks as HTTP;
// - joining keeps the base document for a bare "#fragment" and takes a
//   relative URL with a scheme of its own as it is.
// On POSIX the absolute path "/..." stands where Windows has "C:\...".
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "http/CurlApi_posix.h"
#include "http/CurlTransfer.h"
#include "platform/Files.h"
#include "http/UrlCrack.h"

namespace {

bool IsDrivePath(const char* s) {
    return std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':' &&
           (s[2] == '\\' || s[2] == '/');
}

bool IsLocalPath(const char* s) {
    return s[0] == '/' || IsDrivePath(s);
}

// Length of the scheme before its ":", or 0 when the text has none.
size_t SchemeLength(const char* s) {
    size_t n = 0;
    while (std::isalnum(static_cast<unsigned char>(s[n])) || s[n] == '+' || s[n] == '-' ||
           s[n] == '.')
        ++n;
    return n > 1 && s[n] == ':' ? n : 0;
}

uint32_t ServiceOf(const std::string& scheme) {
    struct Row {
        const char* name;
        uint32_t service;
    };
    static const Row kRows[] = {
        {"file", kServiceFile}, {"ftp", kServiceFtp},     {"gopher", kServiceGopher},
        {"http", kServiceHttp}, {"https", kServiceHttps}, {"mailto", kServiceMailto},
        {"news", kServiceNews},
    };
    for (const Row& row : kRows)
        if (strcasecmp(scheme.c_str(), row.name) == 0) return row.service;
    return kServiceUnknown;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string PercentDecoded(const char* s) {
    std::string out;
    for (size_t i = 0; s[i]; ++i) {
        int hi, lo;
        if (s[i] == '%' && (hi = HexValue(s[i + 1])) >= 0 && (lo = HexValue(s[i + 2])) >= 0) {
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The local path of a file URL's text after "file:".
std::string FilePath(const char* rest) {
    if (rest[0] == '/' && rest[1] == '/') {
        rest += 2;
        if (strncasecmp(rest, "localhost/", 10) == 0) rest += 9;
    }
    if (rest[0] == '/' && IsDrivePath(rest + 1)) ++rest;
    return PercentDecoded(rest);
}

// A URL under libcurl's URL API; a URL that cannot be set (nor anything
// else) when the library cannot be loaded.
class ParsedUrl {
  public:
    ParsedUrl() : api_(Curl()), url_(api_ ? api_->curl_url() : nullptr) {}
    ~ParsedUrl() {
        if (url_) api_->curl_url_cleanup(url_);
    }
    ParsedUrl(const ParsedUrl&) = delete;
    ParsedUrl& operator=(const ParsedUrl&) = delete;

    // Sets the whole URL, or resolves a relative one against the one set.
    bool Set(const char* text, unsigned flags) {
        return url_ && api_->curl_url_set(url_, CURLUPART_URL, text, flags) == CURLUE_OK;
    }
    // One part; empty when it is not there.
    std::string Part(CURLUPart which, unsigned flags = 0) const {
        char* text = nullptr;
        std::string out;
        if (api_->curl_url_get(url_, which, &text, flags) == CURLUE_OK && text) out = text;
        api_->curl_free(text);
        return out;
    }

  private:
    const CurlApi* api_;
    CURLU* url_;
};

// What WinInet makes of an authority libcurl refuses (no host, a backslash
// in it): the host runs to the first "/", "?" or "#", after any "user@".
void SplitLoosely(const char* authority, CrackedUrl* parts) {
    size_t end = std::strcspn(authority, "/?#");
    std::string host(authority, end);
    size_t at = host.rfind('@');
    if (at != std::string::npos) host.erase(0, at + 1);
    parts->host = host.c_str();
    parts->path = authority + end;
}

constexpr unsigned kParseFlags = CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE;

bool Fail(uint32_t error) {
    platform::SetLastError(error);
    return false;
}

}  // namespace

bool CanonicalizeUrl(const char* url, uint32_t flags, AStr* out) {
    size_t scheme = SchemeLength(url);
    bool hierarchical = scheme && url[scheme + 1] == '/' && url[scheme + 2] == '/';
    *out = url;
    if (!hierarchical || ServiceOf(std::string(url, scheme)) == kServiceFile) return true;
    ParsedUrl parsed;
    if (parsed.Set(url, kParseFlags)) {
        std::string text = parsed.Part(CURLUPART_URL);
        *out = (flags & kIcuNoEncode) ? text.c_str() : EscapeUnsafeBytes(text, true).c_str();
    }
    return true;
}

bool CrackUrl(const char* url, CrackedUrl* parts) {
    if (!*url) return Fail(platform::kErrInvalidParameter);
    *parts = CrackedUrl();
    if (IsLocalPath(url)) {
        parts->service = kServiceFile;
        parts->path = url;
        return true;
    }
    size_t scheme = SchemeLength(url);
    if (!scheme) return Fail(kErrInternetUnrecognizedScheme);
    parts->service = ServiceOf(std::string(url, scheme));
    const char* rest = url + scheme + 1;
    if (parts->service == kServiceFile) {
        parts->path = FilePath(rest).c_str();
        return true;
    }
    if (rest[0] != '/' || rest[1] != '/') {
        parts->path = rest;
        return true;
    }
    ParsedUrl parsed;
    if (parsed.Set(url, kParseFlags | CURLU_PATH_AS_IS)) {
        parts->host = parsed.Part(CURLUPART_HOST).c_str();
        parts->port = static_cast<uint16_t>(
            std::atoi(parsed.Part(CURLUPART_PORT, CURLU_DEFAULT_PORT).c_str()));
        parts->user = parsed.Part(CURLUPART_USER).c_str();
        parts->password = parsed.Part(CURLUPART_PASSWORD).c_str();
        std::string path = parsed.Part(CURLUPART_PATH);
        std::string query = parsed.Part(CURLUPART_QUERY);
        std::string fragment = parsed.Part(CURLUPART_FRAGMENT);
        if (!query.empty()) path += "?" + query;
        if (!fragment.empty()) path += "#" + fragment;
        parts->path = path.c_str();
    } else {
        SplitLoosely(rest + 2, parts);
    }
    return true;
}

bool CombineUrlText(const char* base, const char* relative, uint32_t flags, AStr* out) {
    out->Clear();
    size_t scheme = SchemeLength(relative);
    if (scheme && !(relative[scheme + 1] == '/' && relative[scheme + 2] == '/')) {
        *out = relative;
        return true;
    }
    if (relative[0] == '#') {
        const char* hash = std::strchr(base, '#');
        *out = AStr(base, hash ? static_cast<size_t>(hash - base) : std::strlen(base));
        out->Append(relative);
        return true;
    }
    ParsedUrl parsed;
    bool ok = parsed.Set(base, kParseFlags) && parsed.Set(relative, kParseFlags);
    if (ok) {
        std::string text = parsed.Part(CURLUPART_URL);
        *out = (flags & kIcuNoEncode) ? text.c_str() : EscapeUnsafeBytes(text, true).c_str();
    }
    return ok || Fail(kErrInternetInvalidUrl);
}

std::string EscapeUnsafeBytes(const std::string& url, bool pathOnly) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    size_t end = url.find('#');
    if (end == std::string::npos) end = url.size();
    size_t query = pathOnly ? url.find('?') : end;
    if (query == std::string::npos || query > end) query = end;
    for (size_t i = 0; i < url.size(); ++i) {
        auto c = static_cast<unsigned char>(url[i]);
        bool unsafe = c <= ' ' || c >= 0x7F;
        if (i < query && unsafe && (c <= ' ' || !pathOnly)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (i < end || pathOnly) {
            out += url[i];
        }
    }
    return out;
}
