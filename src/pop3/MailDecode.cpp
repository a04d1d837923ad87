#include "pop3/MailDecode.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/Cp1251.h"
#include "framework/Koi8.h"
#include "framework/Utf8.h"
#include "platform/TextCodec.h"

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

// One piece of a header: text in the working code page, or in UTF-8.
struct Piece {
    std::string bytes;
    bool utf8 = false;
};

bool IsAsciiOnly(const std::string& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Bytes in the named charset as a piece: KOI8 by the system's table and
// 1251 as they are (both stay in the working code page), any other charset
// the platform knows as UTF-8; an unknown one keeps its bytes.
Piece InCharset(std::string bytes, const char* charset, size_t n) {
    const unsigned codePage = platform::CodePageOfName(charset, n);
    if (codePage == 20866 || codePage == 21866) {
        koi8::ToCp1251(bytes.data(), &bytes[0], bytes.size());
        return {std::move(bytes), false};
    }
    if (codePage == 0 || codePage == 1251 || IsAsciiOnly(bytes)) return {std::move(bytes), false};
    if (codePage == 65001) {
        const bool valid = utf8::IsValid(bytes.data(), bytes.size());
        return {std::move(bytes), valid};
    }
    std::string converted;
    if (!platform::CodePageToUtf8(codePage, bytes.data(), bytes.size(), &converted))
        return {std::move(bytes), false};
    return {std::move(converted), true};
}

// Text outside encoded-words: UTF-8 when it is well-formed UTF-8 with a
// multi-byte sequence, else as it came.
Piece Literal(const char* text, size_t n) {
    return {std::string(text, n), cp1251::LooksLikeUtf8(text, n)};
}

// The encoded-word at p ("=?charset?X?payload?="), its end and its piece;
// false when the text at p is none.
bool ReadEncodedWord(const char* p, const char** end, Piece* piece) {
    const char* charset = p + 2;
    const char* charsetEnd = std::strchr(charset, '?');
    if (!charsetEnd || charsetEnd == charset) return false;
    const char letter = charsetEnd[1];
    if (!letter || charsetEnd[2] != '?') return false;
    const char* payload = charsetEnd + 3;
    const char* payloadEnd = std::strstr(payload, "?=");
    if (!payloadEnd) return false;
    std::string bytes;
    if (letter == 'B' || letter == 'b')
        bytes = DecodeBase64(payload, payloadEnd);
    else if (letter == 'Q' || letter == 'q')
        bytes = DecodeQ(payload, payloadEnd);
    else
        return false;
    // RFC 2231 adds a language after "*".
    size_t nameLength = static_cast<size_t>(charsetEnd - charset);
    if (const void* star = std::memchr(charset, '*', nameLength))
        nameLength = static_cast<size_t>(static_cast<const char*>(star) - charset);
    *piece = InCharset(std::move(bytes), charset, nameLength);
    *end = payloadEnd + 2;
    return true;
}

bool IsBlank(const char* p, const char* end) {
    for (; p < end; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
    return true;
}

// The pieces joined: in the working code page while every piece is, in
// UTF-8 as soon as one piece needs it.
AStr Join(const std::vector<Piece>& pieces) {
    bool anyUtf8 = false;
    for (const Piece& piece : pieces) anyUtf8 = anyUtf8 || piece.utf8;
    std::string out;
    for (const Piece& piece : pieces) {
        if (anyUtf8 && !piece.utf8)
            out += cp1251::ToUtf8(piece.bytes.data(), piece.bytes.size());
        else
            out += piece.bytes;
    }
    return AStr(out.data(), out.size());
}

}  // namespace

AStr DecodeHeaderText(const char* text, bool* decoded) {
    if (!text) text = "";
    std::vector<Piece> pieces;
    const char* literal = text;  // start of the text not yet taken
    const char* lastWordEnd = nullptr;
    for (const char* p = std::strstr(text, "=?"); p; p = std::strstr(p, "=?")) {
        const char* end = nullptr;
        Piece word;
        if (!ReadEncodedWord(p, &end, &word)) {
            p += 2;
            continue;
        }
        // White space between two encoded-words goes; other text stays.
        if (p > literal && !(literal == lastWordEnd && IsBlank(literal, p)))
            pieces.push_back(Literal(literal, static_cast<size_t>(p - literal)));
        pieces.push_back(std::move(word));
        if (decoded) *decoded = true;
        literal = lastWordEnd = end;
        p = end;
    }
    if (*literal) pieces.push_back(Literal(literal, std::strlen(literal)));
    return Join(pieces);
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

void DecodeRawHeader(AStr& text, const AStr& charset) {
    if (text.IsEmpty() || cp1251::LooksLikeUtf8(text.c_str(), text.Length())) return;
    if (charset.IsEmpty() || charset.CompareNoCase("koi8-r") == 0) {
        KoiToCp1251InPlace(text);
        return;
    }
    Piece piece =
        InCharset(std::string(text.c_str(), text.Length()), charset.c_str(), charset.Length());
    text.Assign(piece.bytes.data(), piece.bytes.size());
}

void KoiToCp1251InPlace(AStr& text) {
    if (char* p = text.Data()) koi8::ToCp1251(p, p, strlen(p));
}
