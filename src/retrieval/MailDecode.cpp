#include "retrieval/MailDecode.h"

#include <cstring>
#include <string>

#include "framework/Cp1251.h"
#include "framework/Koi8.h"

namespace {

int Base64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Bytes that are not in the alphabet are skipped; "=" ends the payload.
std::string DecodeBase64(const char* p, const char* end) {
    std::string out;
    uint32_t bits = 0;
    int count = 0;
    for (; p < end && *p != '='; ++p) {
        int v = Base64Value(static_cast<unsigned char>(*p));
        if (v < 0) continue;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "=XX" is a byte, an "=" without two hex digits is dropped, "_" a space.
std::string DecodeQ(const char* p, const char* end) {
    std::string out;
    while (p < end) {
        if (*p == '=') {
            int hi = p + 1 < end ? HexValue(p[1]) : -1;
            int lo = p + 2 < end ? HexValue(p[2]) : -1;
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                p += 3;
            } else {
                ++p;
            }
        } else {
            out += *p == '_' ? ' ' : *p;
            ++p;
        }
    }
    return out;
}

bool IsKoi8R(const char* charset, size_t n) {
    return n == 6 && cp1251::CompareNoCase(charset, "koi8-r", 6) == 0;
}

}  // namespace

AStr DecodeHeaderText(const char* text, bool* decoded) {
    if (!text) text = "";
    const char* word = strstr(text, "=?");
    if (!word) return AStr(text);
    AStr result(text, static_cast<size_t>(word - text));
    while (word) {
        const char* charsetEnd = strchr(word + 2, '?');
        if (!charsetEnd) break;
        const char* encodingEnd = strchr(charsetEnd + 1, '?');
        if (!encodingEnd) break;
        const char* wordEnd = strstr(encodingEnd + 1, "?=");
        if (!wordEnd) break;

        const char encoding = charsetEnd[1];
        const char* payload = encodingEnd + 1;
        std::string bytes = encoding == 'B'   ? DecodeBase64(payload, wordEnd)
                            : encoding == 'Q' ? DecodeQ(payload, wordEnd)
                                              : std::string(payload, wordEnd);
        if (!bytes.empty()) {
            if (IsKoi8R(word + 2, static_cast<size_t>(charsetEnd - word - 2)))
                koi8::ToCp1251(bytes.data(), &bytes[0], bytes.size());
            result.Append(bytes.data(), bytes.size());
        }
        if (decoded) *decoded = true;

        const char* rest = wordEnd + 2;
        word = strstr(rest, "=?");
        if (!word) result.Append(rest);
    }
    return result;
}

bool MailCharset(const char* contentType, AStr* charset) {
    AStr value(contentType);
    value.MakeLower();
    long at = value.Find("charset=");
    if (at < 0) return false;
    const char* p = value.c_str() + at + 8;
    if (*p == '"') ++p;
    charset->Assign(p, strcspn(p, "\"; "));
    return true;
}

void KoiToCp1251InPlace(AStr& text) {
    if (char* p = text.Data()) koi8::ToCp1251(p, p, strlen(p));
}
