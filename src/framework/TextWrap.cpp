#include "framework/TextWrap.h"

#include "framework/Cp1251.h"

namespace {

struct Breaker {
    TextMeasurer& m;
    int cls;
    const char* text;
    bool utf8;

    int Width(size_t from, size_t to) { return m.Width(cls, text + from, to - from); }

    // The longest prefix of [from, to) that fits, at least one character.
    size_t FitChars(size_t from, size_t to, int maxWidth) {
        std::vector<size_t> ends;  // candidate line ends, one per character
        for (size_t i = NextChar(from, to); i <= to; i = NextChar(i, to)) {
            ends.push_back(i < to ? i : to);
            if (i >= to) break;
        }
        if (ends.empty()) return to;
        size_t lo = 0, hi = ends.size();  // ends[lo] always taken
        while (hi - lo > 1) {
            size_t mid = (lo + hi) / 2;
            if (Width(from, ends[mid]) <= maxWidth)
                lo = mid;
            else
                hi = mid;
        }
        return ends[lo];
    }

    size_t NextChar(size_t i, size_t end) const {
        ++i;
        if (utf8)
            while (i < end && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        return i;
    }
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

WrappedText WrapText(TextMeasurer& m, int nodeClass, const char* text, size_t n, int maxWidth) {
    WrappedText out;
    Breaker b{m, nodeClass, text, cp1251::LooksLikeUtf8(text, n)};
    auto addLine = [&](size_t from, size_t to) {
        size_t end = to;
        while (end > from && (IsBlank(text[end - 1]) || text[end - 1] == '\r')) --end;
        out.starts.push_back(static_cast<uint32_t>(from));
        out.ends.push_back(static_cast<uint32_t>(end));
        int w = end > from ? b.Width(from, end) : 0;
        if (w > out.width) out.width = w;
    };
    size_t pos = 0;
    do {
        // One paragraph: up to the next hard break.
        size_t paraEnd = pos;
        while (paraEnd < n && text[paraEnd] != '\n') ++paraEnd;
        size_t line = pos;
        while (true) {
            size_t lineEnd = line;  // end of the words that fit so far
            size_t scan = line;
            while (scan < paraEnd) {
                size_t wordEnd = scan;
                while (wordEnd < paraEnd && IsBlank(text[wordEnd])) ++wordEnd;
                while (wordEnd < paraEnd && !IsBlank(text[wordEnd])) ++wordEnd;
                size_t drawn = wordEnd;
                while (drawn > line && (IsBlank(text[drawn - 1]) || text[drawn - 1] == '\r'))
                    --drawn;
                if (drawn > line && b.Width(line, drawn) > maxWidth) break;
                lineEnd = wordEnd;
                scan = wordEnd;
            }
            if (lineEnd == line && scan < paraEnd) {
                // Not even the first word fits: break it between characters.
                size_t wordEnd = line;
                while (wordEnd < paraEnd && IsBlank(text[wordEnd])) ++wordEnd;
                while (wordEnd < paraEnd && !IsBlank(text[wordEnd])) ++wordEnd;
                lineEnd = b.FitChars(line, wordEnd, maxWidth);
            }
            if (lineEnd >= paraEnd) {
                addLine(line, paraEnd);
                break;
            }
            addLine(line, lineEnd);
            line = lineEnd;
            while (line < paraEnd && IsBlank(text[line])) ++line;
            if (line >= paraEnd) break;
        }
        pos = paraEnd + 1;
    } while (pos <= n && pos - 1 < n);
    return out;
}
