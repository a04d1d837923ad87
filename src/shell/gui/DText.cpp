#include "shell/gui/DText.h"

#include <cstring>

#include "framework/Cp1251.h"

std::wstring WideText(const char* text) {
    std::wstring out;
    if (!text) return out;
    size_t n = std::strlen(text);
    if (cp1251::LooksLikeUtf8(text, n)) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
        for (size_t i = 0; i < n;) {
            uint32_t c = p[i];
            int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
            c &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
            for (int k = 1; k <= extra && i + k < n; ++k) c = (c << 6) | (p[i + k] & 0x3F);
            i += 1 + extra;
            if (c >= 0x10000) {
                c -= 0x10000;
                out += static_cast<wchar_t>(0xD800 + (c >> 10));
                out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            } else {
                out += static_cast<wchar_t>(c);
            }
        }
        return out;
    }
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) out += static_cast<wchar_t>(cp1251::ToUnicode(static_cast<unsigned char>(text[i])));
    return out;
}

AStr NarrowText(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text) {
        uint32_t c = static_cast<uint16_t>(*text);
        if (c >= 0xD800 && c <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint16_t>(text[1]) - 0xDC00);
            ++text;
        }
        out += static_cast<char>(cp1251::FromUnicode(c));
    }
    return AStr(out.data(), out.size());
}
