#include "http/UrlUtils.h"

#include <cstring>

#include "http/UrlCrack.h"

AStr NormalizeUrl(const char* text, bool allowFile) {
    if (!text) text = "";
    CrackedUrl parts;
    AStr url;
    if (!CrackCanonicalUrl(text, kIcuNoEncode, &parts) || parts.service == kServiceUnknown)
        url = "http://";
    else if (parts.service == kServiceFile && allowFile && !AStr(text).StartsWithNoCase("file:"))
        url = "file://";
    url += text;
    for (char* p = url.Data(); p && *p && *p != '?'; ++p)
        if (*p == '\\') *p = '/';
    return url;
}

namespace {

// Copies the text onto itself; where "../" comes next it is skipped, and the
// character after it is copied without a look. Returns the new length.
size_t DropParentSteps(char* s) {
    size_t n = std::strlen(s), read = 0, write = 0;
    while (read < n) {
        if (n - read >= 3 && std::strncmp(s + read, "../", 3) == 0) read += 3;
        if (read < n) s[write++] = s[read++];
    }
    s[write] = 0;
    return write;
}

}  // namespace

bool CombineUrl(const char* base, const char* relative, uint32_t flags, AStr* result) {
    bool ok =
        CombineUrlText(base ? base : "", relative ? relative : "", flags | kIcuBrowserMode, result);
    if (ok && result->Find("..") >= 0) result->Truncate(DropParentSteps(result->Data()));
    return ok;
}

void SplitFragment(const char* url, AStr* before, AStr* fragment) {
    if (!url) url = "";
    const char* hash = std::strchr(url, '#');
    size_t split = hash ? static_cast<size_t>(hash - url) : std::strlen(url);
    if (before) *before = AStr(url, split);
    if (fragment) *fragment = url + split;
}

bool SameUrl(const char* a, const char* b) {
    size_t na = std::strlen(a), nb = std::strlen(b);
    if (na == nb) return std::memcmp(a, b, na) == 0;
    const char* longer = na > nb ? a : b;
    size_t shorter = na > nb ? nb : na;
    return (na > nb ? na : nb) == shorter + 1 && longer[shorter] == '/' &&
           std::memcmp(a, b, shorter) == 0;
}
