#include "html/Charset.h"

#include <cstring>
#include <string>

#include "framework/Cp1251.h"
#include "framework/FixedText.h"
#include "framework/Koi8.h"
#include "platform/TextCodec.h"

namespace {

struct CharsetName {
    const char* name;
    int code;
};

// Looked up in this order.
const CharsetName kCharsetNames[] = {
    {"windows-1252", kCharsetWestern},
    {"windows-1251", kCharsetWindows},
    {"koi8-r", kCharsetKoi8},
    {"koi8-u", kCharsetKoi8},
    {"ibm866", kCharsetDos},
    {"iso8859-5", kCharsetIso},
    {"cp1251", kCharsetWindows},
    {"x-cp1251", kCharsetWindows},
    {"cp866", kCharsetDos},
    {"866", kCharsetDos},
    {"koi8", kCharsetKoi8},
    {"iso-8859-5", kCharsetIso},
    {"utf-8", kCharsetUtf8},
    {"utf8", kCharsetUtf8},
    {"iso-8859-1", kCharsetWestern},
    {"iso8859-1", kCharsetWestern},
    {"latin1", kCharsetWestern},
    {"l1", kCharsetWestern},
    {"us-ascii", kCharsetWestern},
    {"ascii", kCharsetWestern},
    {"cp1252", kCharsetWestern},
    {"windows-1250", kCharsetCentral},
    {"cp1250", kCharsetCentral},
    {"windows-1257", kCharsetBaltic},
    {"cp1257", kCharsetBaltic},
    {"iso-8859-2", kCharsetLatin2},
    {"iso8859-2", kCharsetLatin2},
    {"latin2", kCharsetLatin2},
    {"iso-8859-15", kCharsetLatin9},
    {"iso8859-15", kCharsetLatin9},
    {"latin-9", kCharsetLatin9},
    {"iso-8859-7", kCharsetGreek},
    {"iso8859-7", kCharsetGreek},
    {"windows-1253", kCharsetGreekWindows},
    {"iso-8859-9", kCharsetTurkish},
    {"iso8859-9", kCharsetTurkish},
    {"windows-1254", kCharsetTurkish},
    {"iso-8859-13", kCharsetBalticIso},
    {"iso-8859-4", kCharsetLatin4},
    {"utf-16le", kCharsetUtf16Le},
    {"utf-16", kCharsetUtf16Le},
    {"utf-16be", kCharsetUtf16Be},
};

// The Windows code page of each code, by code; 0 where the system's own
// tables do the work.
const unsigned kCodePages[kCharsetCodeCount] = {
    0,     0,     0,     0,    28595, 65001, 1252,  1250, 1257,
    28592, 28605, 28597, 1253, 1254,  28603, 28594, 1200, 1201,
};

// Code page 866 from 0xB0 (0x80 to 0xAF and 0xE0 to 0xEF are the letters,
// computed). 1251 has no box drawing: lines and corners become "-", side
// junctions and blocks "|", crossings "+", upper and lower halves "~" and
// "_", as the KOI8 table does.
const unsigned char kDosHighTable[80] = {
    0x7C,
    0x7C,
    0x7C,
    0x7C,
    0x7C,
    0x7C,
    0x7C,
    0x2D,
    0x2D,
    0x7C,
    0x7C,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x7C,
    0x2D,
    0x2B,
    0x7C,
    0x7C,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x7C,
    0x2D,
    0x2B,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2D,
    0x2B,
    0x2B,
    0x2D,
    0x2D,
    0x7C,
    0x5F,
    0x7C,
    0x7C,
    0x7E,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,  // 0xE0 to 0xEF: letters
    // Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ no-break space
    0xA8,
    0xB8,
    0xAA,
    0xBA,
    0xAF,
    0xBF,
    0xA1,
    0xA2,
    0xB0,
    0x95,
    0xB7,
    0x2F,
    0xB9,
    0xA4,
    0x7C,
    0xA0,
};

bool IsAscii(const char* bytes, size_t n) {
    unsigned char high = 0;
    for (size_t i = 0; i < n; ++i) high |= static_cast<unsigned char>(bytes[i]);
    return high < 0x80;
}

}  // namespace

int CharsetCode(const char* name) {
    if (!name) return kCharsetUnknown;
    for (const CharsetName& entry : kCharsetNames)
        if (cp1251::CompareNoCase(name, entry.name) == 0) return entry.code;
    return kCharsetUnknown;
}

void ParseContentType(const char* value, AStr* mediaType, int* code, AStr* charsetName,
                      AStr* boundary) {
    if (mediaType) mediaType->Clear();
    if (charsetName) charsetName->Clear();
    if (code) *code = kCharsetUnknown;
    if (!value || !*value) return;

    const char* p = value;
    for (;;) {
        while (*p == ';' || *p == ' ') ++p;
        if (!*p) break;
        const char* end = p + std::strcspn(p, "; ");
        std::string token(p, end);
        p = end;

        size_t eq = token.find('=');
        if (eq == std::string::npos) {
            if (mediaType) *mediaType = token.c_str();
            continue;
        }
        std::string name = token.substr(0, eq);
        std::string val = token.substr(eq + 1);
        if (!val.empty() && val[0] == '"') val = val.substr(1, val.find('"', 1) - 1);
        if (cp1251::CompareNoCase(name.c_str(), "charset") == 0) {
            if (code) *code = CharsetCode(val.c_str());
            if (charsetName) *charsetName = val.c_str();
        } else if (cp1251::CompareNoCase(name.c_str(), "boundary") == 0) {
            if (boundary) *boundary = val.c_str();
        }
    }
}

bool CarriedAsUtf8(int code) {
    return CharsetCodePage(code) != 0;
}

unsigned CharsetCodePage(int code) {
    return code >= 0 && code < kCharsetCodeCount ? kCodePages[code] : 0;
}

bool CharsetToUtf8(int code, const char* bytes, size_t n, std::string* out) {
    const unsigned codePage = CharsetCodePage(code);
    if (!codePage) return false;
    // UTF-8 is copied, and so is plain ASCII in any code page that extends
    // it (all but UTF-16), without the converter.
    const bool utf16 = code == kCharsetUtf16Le || code == kCharsetUtf16Be;
    if (code == kCharsetUtf8 || (!utf16 && IsAscii(bytes, n))) {
        out->append(bytes, n);
        return true;
    }
    return platform::CodePageToUtf8(codePage, bytes, n, out);
}

unsigned char KoiToWin(unsigned char c) {
    return koi8::ToCp1251(c);
}

void KoiToWin(const char* source, char* target, size_t length) {
    koi8::ToCp1251(source, target, length);
}

unsigned char OemToAnsi(unsigned char c) {
    if (c < 0x80) return c;
    if (c < 0xB0) return static_cast<unsigned char>(c + 0x40);               // А..Я, а..п
    if (c >= 0xE0 && c < 0xF0) return static_cast<unsigned char>(c + 0x10);  // р..я
    return kDosHighTable[c - 0xB0];
}

void OemToAnsi(const char* source, char* target, size_t length) {
    for (size_t i = 0; i < length; ++i)
        target[i] = static_cast<char>(OemToAnsi(static_cast<unsigned char>(source[i])));
}

void ConvertCharset(int code, char* text, size_t length) {
    if (code == kCharsetDos)
        OemToAnsi(text, text, length);
    else if (code == kCharsetKoi8)
        KoiToWin(text, text, length);
}

namespace {

template <class Text>
void ConvertText(int code, Text& text) {
    if (text.IsEmpty()) return;
    std::string converted;
    if (CharsetToUtf8(code, text.c_str(), text.Length(), &converted))
        text.Assign(converted.data(), converted.size());
    else
        ConvertCharset(code, text.Data(), text.Length());
}

}  // namespace

void ConvertCharset(int code, AStr& text) {
    ConvertText(code, text);
}

void ConvertCharset(int code, FixedText& text) {
    ConvertText(code, text);
}
