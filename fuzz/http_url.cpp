// Typed addresses and page links: normalising, cracking, joining, splitting
// and comparing arbitrary text as URLs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "http/UrlCrack.h"
#include "http/UrlUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();  // a URL ends at its first zero byte
    NormalizeUrl(text.c_str(), true);
    NormalizeUrl(text.c_str(), false);
    CrackedUrl parts;
    CrackCanonicalUrl(text.c_str(), kIcuBrowserMode, &parts);
    CrackUrl(text.c_str(), &parts);
    AStr joined;
    CombineUrl("http://host/a/b/page.htm?q=1", text.c_str(), 0, &joined);
    // First line the base, the rest the relative URL.
    size_t split = text.find('\n');
    if (split != std::string::npos)
        CombineUrl(text.substr(0, split).c_str(), text.c_str() + split + 1, 0, &joined);
    AStr before, fragment;
    SplitFragment(text.c_str(), &before, &fragment);
    SameUrl(text.c_str(), before.c_str());
    return 0;
}
