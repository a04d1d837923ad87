#include "shell/gui/DText.h"

#include <windows.h>

#include <cstring>

#include "framework/Cp1251.h"

std::wstring WideText(const char* text) {
    if (!text) return std::wstring();
    std::u16string wide = cp1251::DisplayUtf16(text, std::strlen(text));
    return std::wstring(wide.begin(), wide.end());
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

AStr RecordText(const wchar_t* text) {
    AStr narrow = NarrowText(text);
    if (WideText(narrow.c_str()) == (text ? text : L"")) return narrow;
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    return AStr(utf8.c_str());
}
