#include "compare/Parser.h"

#include "framework/Cp1251.h"
#include "stream/WStream.h"

namespace {

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
bool IsQuote(int c) {
    return c == '\'' || c == '"';
}
// White space other than the line feed, which is a token of its own.
bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
bool IsWordByte(int c) {
    return cp1251::IsLetter(static_cast<unsigned char>(c)) || c == '_' || IsDigit(c);
}
int HexValue(int c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int Parser::ReadByte(iwstream& in) {
    if (pushedBack_ >= 0) {
        int c = pushedBack_;
        pushedBack_ = -1;
        return c;
    }
    unsigned char c;
    long n = in.Read(&c, 1);
    if (n == 1) return c;
    return n < 0 ? -2 : -1;
}

template <class Accept>
int Parser::ReadRun(iwstream& in, int tokenClass, Accept accept) {
    for (;;) {
        int c = ReadByte(in);
        if (c == -2) return -1;
        if (c < 0 || !accept(c)) {
            if (c >= 0) PushBack(c);
            return tokenClass;
        }
        token_ += static_cast<char>(c);
    }
}

int Parser::ReadQuoted(iwstream& in, int quote) {
    for (;;) {
        int c = ReadByte(in);
        if (c == -2) return -1;
        if (c == -1) return kQuoted;
        if (c == '\\' && (options_ & kBackslashEscapes)) {
            c = ReadByte(in);
            if (c == -2) return -1;
            if (c == -1) return kQuoted;
        } else if (c == quote) {
            if (!(options_ & kDoubledQuotes)) return kQuoted;
            int next = ReadByte(in);
            if (next == -2) return -1;
            if (next != quote) {
                if (next >= 0) PushBack(next);
                return kQuoted;
            }
        }
        token_ += static_cast<char>(c);
    }
}

int Parser::NextToken(iwstream& in) {
    token_.clear();
    int c = ReadByte(in);
    if (c == -2) return -1;
    if (c == -1) return kEnd;
    if (c == '\n') return kLineBreak;
    bool signs = (options_ & kNumbersAndSigns) != 0;
    if (!IsWordByte(c) && !IsQuote(c) && !IsBlank(c) && !(signs && (c == '+' || c == '-'))) {
        token_ += static_cast<char>(c);
        return kPunctuation;
    }
    if (IsQuote(c)) return ReadQuoted(in, c);
    if (IsBlank(c)) {
        token_ += static_cast<char>(c);
        return ReadRun(in, kWhiteSpace, IsBlank);
    }
    token_ += static_cast<char>(c);
    if (!signs || (!IsDigit(c) && c != '+' && c != '-')) return ReadRun(in, kWord, IsWordByte);
    if (c == '+' || c == '-') return kSign;
    // A number: digits, or "0x" and hexadecimal digits.
    if (c == '0') {
        int x = ReadByte(in);
        if (x == -2) return -1;
        if (x == 'x' || x == 'X') {
            token_ += static_cast<char>(x);
            return ReadRun(in, kNumber, [](int d) { return HexValue(d) >= 0; });
        }
        if (x >= 0) PushBack(x);
    }
    return ReadRun(in, kNumber, IsDigit);
}

int Parser::Parse(iwstream& in) {
    lines_ = 0;
    sign_ = 1;
    pushedBack_ = -1;
    for (;;) {
        int tokenClass = NextToken(in);
        if (tokenClass < 0) return -1;
        int r = OnToken(tokenClass, token_.data(), static_cast<long>(token_.size()));
        if (r) return r;
        if (tokenClass == kLineBreak) ++lines_;
        if (tokenClass == kEnd) return 0;
    }
}

int Parser::OnToken(int tokenClass, const char* text, long length) {
    switch (tokenClass) {
        case kNumber:
            return OnNumberText(text, length);
        case kSign:
            return OnSign(length ? text[0] : 0);
        case kQuoted:
            return OnQuoted(text, length);
        case kWord:
            return OnWord(text, length);
        case kPunctuation:
            return OnPunctuation(length ? text[0] : 0);
        case kWhiteSpace:
            return OnWhiteSpace(text, length);
        case kLineBreak:
            return OnLineBreak();
        case kEnd:
            return OnEnd();
        default:
            return 1;
    }
}

int Parser::OnNumberText(const char* text, long length) {
    unsigned long value = 0;
    bool hex = length > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    for (long i = hex ? 2 : 0; i < length; ++i) {
        int d = HexValue(static_cast<unsigned char>(text[i]));
        if (d < 0 || (!hex && d > 9)) break;
        value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
    }
    long signedValue = static_cast<long>(value) * sign_;
    sign_ = 1;
    return OnNumber(signedValue);
}

int Parser::OnSign(char sign) {
    if (sign == '+')
        sign_ = 1;
    else if (sign == '-')
        sign_ = -1;
    else
        return 1;
    return 0;
}
