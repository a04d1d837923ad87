#include "platform/TextCodec.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// UTF-16 code units of n bytes in byte order `bigEndian`; an odd last byte
// becomes U+FFFD.
std::vector<wchar_t> Utf16Units(const char* bytes, size_t n, bool bigEndian) {
    std::vector<wchar_t> units;
    units.reserve(n / 2 + 1);
    const unsigned char* u = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i + 1 < n; i += 2)
        units.push_back(
            static_cast<wchar_t>(bigEndian ? (u[i] << 8) | u[i + 1] : (u[i + 1] << 8) | u[i]));
    if (n % 2) units.push_back(static_cast<wchar_t>(0xFFFD));
    return units;
}

}  // namespace

bool CodePageToUtf8(unsigned codePage, const char* bytes, size_t n, std::string* out) {
    if (n == 0) return codePage == 1200 || codePage == 1201 || IsValidCodePage(codePage);
    std::vector<wchar_t> wide;
    if (codePage == 1200 || codePage == 1201) {
        wide = Utf16Units(bytes, n, codePage == 1201);
    } else {
        if (!IsValidCodePage(codePage)) return false;
        // In one call: pages and headers are far below the 2 GB an int counts.
        const int count = static_cast<int>(n);
        const int units = MultiByteToWideChar(codePage, 0, bytes, count, nullptr, 0);
        if (units <= 0) return false;
        wide.resize(static_cast<size_t>(units));
        MultiByteToWideChar(codePage, 0, bytes, count, wide.data(), units);
    }
    const int wideCount = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    const size_t at = out->size();
    out->resize(at + static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, &(*out)[at], size, nullptr, nullptr);
    return true;
}

}  // namespace platform
