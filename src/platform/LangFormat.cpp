// printf-style formatting of formats that come from a language module. Each
// conversion is rebuilt from checked parts and printed with an argument of
// the type it names, so a wrong or hostile format cannot misread memory.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Lang.h"

namespace {

constexpr int kLargestField = 4096;  // widths and precisions are cut here

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    int bits = 32;  // size of the integer the conversion names
    char kind = 0;
};

class ArgReader {
  public:
    ArgReader(const FormatArg* begin, const FormatArg* end) : it_(begin), end_(end) {}
    const FormatArg* Take() { return it_ == end_ ? nullptr : it_++; }
    long long Number() {
        const FormatArg* a = Take();
        return a ? a->Number() : 0;
    }

  private:
    const FormatArg* it_;
    const FormatArg* end_;
};

int Clamp(long long v) {
    return v < 0 ? -1 : (v > kLargestField ? kLargestField : static_cast<int>(v));
}

// Reads digits or '*' at p; returns the field (or -1 when absent).
int ReadField(const char*& p, ArgReader& args) {
    if (*p == '*') {
        ++p;
        long long v = args.Number();
        return Clamp(v < 0 ? -v : v);
    }
    if (*p < '0' || *p > '9') return -1;
    long long v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v <= kLargestField) v = v * 10 + (*p - '0');
        ++p;
    }
    return Clamp(v);
}

void ReadSize(const char*& p, Conversion& c) {
    for (;;) {
        if (p[0] == 'h') {
            c.bits = (p[1] == 'h') ? 8 : 16;
            p += p[1] == 'h' ? 2 : 1;
        } else if (p[0] == 'l') {
            c.bits = (p[1] == 'l') ? 64 : 32;  // long is 32 bits on Windows
            p += p[1] == 'l' ? 2 : 1;
        } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            c.bits = 64;
            p += 3;
        } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            c.bits = 32;
            p += 3;
        } else if (p[0] == 'L' || p[0] == 'q' || p[0] == 'j') {
            c.bits = 64;
            ++p;
        } else if (p[0] == 'z' || p[0] == 't' || p[0] == 'I') {
            ++p;
        } else {
            return;
        }
    }
}

std::string FormatOf(const Conversion& c, const char* keep, const char* tail) {
    std::string s = "%";
    for (char f : c.flags)
        if (std::strchr(keep, f) && s.find(f) == std::string::npos) s += f;
    if (c.width >= 0) s += std::to_string(c.width);
    if (c.precision >= 0) s += "." + std::to_string(c.precision);
    return s + tail;
}

long long Signed(long long v, int bits) {
    switch (bits) {
        case 8:
            return static_cast<signed char>(v);
        case 16:
            return static_cast<short>(v);
        case 32:
            return static_cast<int>(v);
        default:
            return v;
    }
}

unsigned long long Unsigned(long long v, int bits) {
    unsigned long long u = static_cast<unsigned long long>(v);
    return bits >= 64 ? u : u & ((1ULL << bits) - 1);
}

template <typename T>
void Append(std::string& out, const std::string& format, T value) {
    int n = std::snprintf(nullptr, 0, format.c_str(), value);
    if (n <= 0) return;
    std::string piece(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(&piece[0], piece.size(), format.c_str(), value);
    out.append(piece.data(), static_cast<size_t>(n));
}

void Convert(std::string& out, const Conversion& c, ArgReader& args) {
    const FormatArg* a = nullptr;
    switch (c.kind) {
        case 'd':
        case 'i':
            a = args.Take();
            Append(out, FormatOf(c, "-+ 0", "lld"), Signed(a ? a->Number() : 0, c.bits));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            a = args.Take();
            const char tail[] = {'l', 'l', c.kind, '\0'};
            Append(out, FormatOf(c, "-0#", tail), Unsigned(a ? a->Number() : 0, c.bits));
            break;
        }
        case 'c':
            a = args.Take();
            Append(out, FormatOf(Conversion{c.flags, c.width, -1, 8, 'c'}, "-", "c"),
                   static_cast<int>(static_cast<unsigned char>(a ? a->Number() : 0)));
            break;
        case 's': {
            a = args.Take();
            std::string number;
            if (a && !a->IsText()) number = std::to_string(a->Number());
            const char* text = a ? (a->IsText() ? a->Text() : number.c_str()) : "";
            Append(out, FormatOf(c, "-", "s"), text);
            break;
        }
    }
}

}  // namespace

AStr FormatWith(const char* format, std::initializer_list<FormatArg> list) {
    std::string out;
    ArgReader args(list.begin(), list.end());
    const char* p = format ? format : "";
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        Conversion c;
        while (*p && std::strchr("-+ #0", *p)) c.flags += *p++;
        c.width = ReadField(p, args);
        if (*p == '.') {
            ++p;
            c.precision = ReadField(p, args);
            if (c.precision < 0) c.precision = 0;
        }
        ReadSize(p, c);
        if (*p && std::strchr("diuxXocs", *p)) {
            c.kind = *p++;
            Convert(out, c, args);
        } else {
            // Not a conversion: shown as written.
            out.append(start, static_cast<size_t>(p - start));
        }
    }
    return AStr(out.data(), out.size());
}
