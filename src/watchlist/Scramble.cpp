#include "watchlist/Scramble.h"

#include <cstring>
#include <string>

AStr Scramble(const char* text) {
    size_t n = text ? std::strlen(text) : 0;
    std::string out;
    out.reserve(2 * n);
    for (size_t i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        out += static_cast<char>(71 + b / 16);
        out += static_cast<char>(71 + b % 16);
    }
    return AStr(out.data(), out.size());
}

AStr Unscramble(const char* text) {
    size_t n = text ? std::strlen(text) : 0;
    if (n % 2) return AStr();
    std::string out;
    out.reserve(n / 2);
    for (size_t i = 0; i < n; i += 2) {
        unsigned first = static_cast<unsigned char>(text[i]);
        unsigned second = static_cast<unsigned char>(text[i + 1]);
        out += static_cast<char>(((first - 7) * 16 + second - 71) & 0xFF);
    }
    // A decoded zero byte ends the text, as it would in the stored string.
    return AStr(out.c_str());
}
