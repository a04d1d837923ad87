#include "html/CharRef.h"

#include <cstring>

#include "framework/Cp1251.h"

namespace {

struct Entity {
    const char* name;
    unsigned char code;
};

const Entity kEntities[] = {
    {"Aacute", 193}, {"Acirc", 194},  {"Aelig", 198},  {"Agrave", 192}, {"Aring", 197},
    {"Atilde", 195}, {"Auml", 196},   {"Ccedil", 199}, {"Eacute", 201}, {"Ecirc", 202},
    {"Egrave", 200}, {"Eth", 208},    {"Euml", 203},   {"Iacute", 205}, {"Icirc", 206},
    {"Igrave", 204}, {"Iuml", 207},   {"Ntilde", 209}, {"Oacute", 211}, {"Ocirc", 212},
    {"Ograve", 210}, {"Oslash", 216}, {"Otilde", 213}, {"Ouml", 214},   {"Thorn", 222},
    {"Uacute", 218}, {"Ucirc", 219},  {"Ugrave", 217}, {"Uuml", 220},   {"Yacute", 221},
    {"aacute", 225}, {"acirc", 226},  {"acute", 180},  {"aelig", 230},  {"agrave", 224},
    {"amp", 38},     {"apos", 39},    {"aring", 229},  {"atilde", 227}, {"auml", 228},
    {"brvbar", 166}, {"ccedil", 231}, {"cedil", 184},  {"cent", 162},   {"copy", 169},
    {"curren", 164}, {"deg", 176},    {"divide", 247}, {"eacute", 233}, {"ecirc", 234},
    {"egrave", 232}, {"eth", 240},    {"euml", 235},   {"frac12", 189}, {"frac14", 188},
    {"frac34", 190}, {"gt", 62},      {"iacute", 237}, {"icirc", 238},  {"iexcl", 161},
    {"igrave", 236}, {"iquest", 191}, {"iuml", 239},   {"laquo", 171},  {"lt", 60},
    {"macr", 175},   {"micro", 181},  {"middot", 183}, {"nbsp", 160},   {"not", 172},
    {"ntilde", 241}, {"oacute", 243}, {"ocirc", 244},  {"ograve", 242}, {"ordf", 170},
    {"ordm", 186},   {"oslash", 248}, {"otilde", 245}, {"ouml", 246},   {"para", 182},
    {"plusmn", 177}, {"pound", 163},  {"quot", 34},    {"raquo", 187},  {"reg", 174},
    {"sect", 167},   {"shy", 173},    {"sup1", 185},   {"sup2", 178},   {"sup3", 179},
    {"szlig", 223},  {"thorn", 254},  {"times", 215},  {"uacute", 250}, {"ucirc", 251},
    {"ugrave", 249}, {"uml", 168},    {"uuml", 252},   {"yacute", 253}, {"yen", 165},
    {"yuml", 255},
};

constexpr int kEntityRows = static_cast<int>(sizeof kEntities / sizeof kEntities[0]);
constexpr int kCapitalRows = 30;  // rows 0..29 begin with a capital
constexpr size_t kLowerCopyMax = 6;

// Code points that code page 1252 places at 0x80 to 0x9F, in byte order.
const uint16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Length of the text up to `length` or its first zero byte.
size_t BoundedLength(const char* text, size_t length) {
    const void* zero = std::memchr(text, 0, length);
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : length;
}

// Among the rows [first, last) whose names share the text's first two
// bytes, the longest name that is a prefix of the text; -1 when none.
int FindEntity(int first, int last, const char* text, size_t length) {
    if (length < 2) return -1;
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    int lo = first, hi = last - 1, hit = -1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        unsigned char c = static_cast<unsigned char>(kEntities[mid].name[0]);
        if (c == lead) {
            hit = mid;
            break;
        }
        if (c < lead)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (hit < 0) return -1;
    while (hit > first && kEntities[hit - 1].name[0] == text[0]) --hit;

    int best = -1;
    size_t bestLength = 0;
    for (int row = hit; row < last && kEntities[row].name[0] == text[0]; ++row) {
        const char* name = kEntities[row].name;
        if (name[1] != text[1]) continue;
        // Whether the whole name is a prefix of the text, in one pass.
        size_t n = 2;
        while (name[n] && n < length && name[n] == text[n]) ++n;
        if (!name[n] && n > bestLength) {
            best = row;
            bestLength = n;
        }
    }
    return best;
}

unsigned char DecodeNumber(const char* text, size_t length, int* consumed) {
    size_t i = 2;
    uint32_t value = 0;
    while (i < length && text[i] >= '0' && text[i] <= '9') {
        if (value < 0x10000000) value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    if (i == 2) return 0;
    if (i < length && text[i] == ';') ++i;
    *consumed = static_cast<int>(i);
    if (value <= 255) return static_cast<unsigned char>(value);
    int charset;
    unsigned char byte;
    CodePointToByte(value, &charset, &byte);
    return byte;
}

}  // namespace

unsigned char DecodeCharRef(const char* text, size_t length, int* consumed) {
    *consumed = 0;
    if (!text) return 0;
    length = BoundedLength(text, length);
    if (length == 0 || text[0] != '&') return 0;
    if (length > 1 && text[1] == '#') return DecodeNumber(text, length, consumed);

    const char* name = text + 1;
    const size_t available = length - 1;
    int row = -1;
    if (available > 0 && cp1251::IsUpper(static_cast<unsigned char>(name[0]))) {
        row = FindEntity(0, kCapitalRows, name, available);
        if (row < 0) {
            char lower[kLowerCopyMax];
            size_t n = 0;
            while (n < kLowerCopyMax && n < available && name[n] != ';') {
                lower[n] = static_cast<char>(cp1251::ToLower(static_cast<unsigned char>(name[n])));
                ++n;
            }
            row = FindEntity(kCapitalRows, kEntityRows, lower, n);
        }
    } else {
        row = FindEntity(kCapitalRows, kEntityRows, name, available);
    }
    if (row < 0) {
        *consumed = 1;
        return '&';
    }
    size_t used = 1 + std::strlen(kEntities[row].name);
    if (used < length && text[used] == ';') ++used;
    *consumed = static_cast<int>(used);
    return kEntities[row].code;
}

unsigned char DecodeCharRef(const char* text, int* consumed) {
    return DecodeCharRef(text, text ? std::strlen(text) : 0, consumed);
}

size_t DecodeEntities(char* out, size_t size, const char* in, size_t length) {
    if (!out || size == 0) return 0;
    size_t o = 0;
    for (size_t i = 0; in && i < length && in[i] && o + 1 < size;) {
        if (in[i] == '&') {
            int used;
            unsigned char byte = DecodeCharRef(in + i, length - i, &used);
            if (byte) {
                out[o++] = static_cast<char>(byte);
                i += static_cast<size_t>(used);
                continue;
            }
        }
        out[o++] = in[i++];
    }
    out[o] = 0;
    return o;
}

void CodePointToByte(uint32_t cp, int* charset, unsigned char* byte) {
    if (cp >= 0xF000 && cp <= 0xF0FF) {
        *charset = 2;
        *byte = static_cast<unsigned char>(cp & 0xFF);
        return;
    }
    if ((cp >= 0x0401 && cp <= 0x0491) || cp == 0x0098 || cp == 0x2116) {
        *charset = 204;
        *byte = cp == 0x0098 ? 0x98 : cp1251::FromUnicode(cp);
        return;
    }
    if (cp >= 0x00A0 && cp <= 0x00FF) {
        *charset = 0;
        *byte = static_cast<unsigned char>(cp);
        return;
    }
    for (int i = 0; i < 32; ++i) {
        if (k1252High[i] == cp) {
            *charset = 0;
            *byte = static_cast<unsigned char>(0x80 + i);
            return;
        }
    }
    *charset = 1;
    *byte = cp1251::FromUnicode(cp);
}

uint16_t Cp1252HighCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? k1252High[byte - 0x80] : byte;
}

int EntityCount() {
    return kEntityRows;
}
const char* EntityName(int row) {
    return row >= 0 && row < kEntityRows ? kEntities[row].name : "";
}
unsigned char EntityCode(int row) {
    return row >= 0 && row < kEntityRows ? kEntities[row].code : 0;
}
