#include "html/XmlParser.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "stream/WStream.h"

namespace {

constexpr size_t kPieceLimit = 1023;  // a text or comment piece is cut after 1024 bytes

inline bool IsSpace(int c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// A byte buffer of one run, kept with room for a terminating zero. Its
// capacity is a multiple of its step; it grows by half again at least, so
// that one huge value or name costs linear time.
class RunBuffer {
  public:
    explicit RunBuffer(size_t step) : step_(step) {}
    ~RunBuffer() { std::free(data_); }
    RunBuffer(const RunBuffer&) = delete;
    RunBuffer& operator=(const RunBuffer&) = delete;

    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    char operator[](size_t i) const { return data_[i]; }
    void Clear() { size_ = 0; }
    void Push(int c) {
        if (size_ + 1 >= capacity_) Grow();
        data_[size_++] = static_cast<char>(c);
    }
    void Append(const char* bytes, size_t n) {
        while (size_ + n >= capacity_) Grow();
        std::memcpy(data_ + size_, bytes, n);
        size_ += n;
    }
    void Cut(size_t n) { size_ = n; }
    const char* Terminated() {
        if (!data_) Grow();
        data_[size_] = 0;
        return data_;
    }

  private:
    void Grow() {
        size_t wanted = capacity_ + capacity_ / 2;
        if (wanted < size_ + 2) wanted = size_ + 2;
        wanted = (wanted + step_ - 1) / step_ * step_;
        char* grown = static_cast<char*>(std::realloc(data_, wanted));
        if (!grown) throw std::bad_alloc();
        data_ = grown;
        capacity_ = wanted;
    }

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t step_;
};

// The comment end test at a `>`: a comment ends when nothing has been taken
// (`<!-->`), when only one `-` has (`<!--->`), or when the buffer ends in
// "--"; *length is the comment's length without them.
bool CommentEnds(const RunBuffer& buf, uint32_t taken, size_t* length) {
    if (taken == 0 || (taken == 1 && buf[0] == '-')) {
        *length = 0;
        return true;
    }
    size_t n = buf.Size();
    if (n >= 2 && buf[n - 1] == '-' && buf[n - 2] == '-') {
        *length = n - 2;
        return true;
    }
    return false;
}

// Bytes a tag name run continues with (the others have a meaning in state 2).
inline bool IsPlainNameByte(int c) {
    return c != '-' && c != '"' && c != '\'' && c != '/' && c != '>' && !IsSpace(c);
}

// Bytes an unquoted attribute name run continues with.
inline bool IsPlainAttrByte(int c) {
    return c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' && !IsSpace(c);
}

// Reads the next byte into c and counts it; false at the end of the input.
template <class Source>
inline bool Next(Source& source, int& c, int32_t& pos) {
    c = source.Get();
    if (c < 0) return false;
    ++pos;
    return true;
}

// Takes bytes into `into` while `more` holds, after the one in hand; true
// when it stopped at a byte (now in hand), false when the input ended.
template <class Source, class More>
bool TakeWhile(Source& source, int& c, int32_t& pos, RunBuffer& into, More more) {
    // Locals: the buffer's byte stores could alias the caller's fields.
    int b;
    int32_t at = pos;
    bool stopped = false;
    while (Next(source, b, at)) {
        if (!more(b)) {
            stopped = true;
            break;
        }
        into.Push(b);
    }
    if (stopped) c = b;
    pos = at;
    return stopped;
}

struct BufferedSource {
    ibwstream& in;
    int Get() { return in.GetByte(); }
    bool AtEndOfFile() const { return in.IsEnd() && !in.IsError(); }
    // Takes into `buf` the bytes read ahead up to the first `stop`, at most
    // `limit`; returns how many it took.
    size_t TakeUntil(char stop, size_t limit, RunBuffer& buf) {
        size_t count;
        const char* ahead = in.Ahead(&count);
        if (count > limit) count = limit;
        if (const void* found = std::memchr(ahead, stop, count))
            count = static_cast<size_t>(static_cast<const char*>(found) - ahead);
        buf.Append(ahead, count);
        in.Skip(count);
        return count;
    }
};

// Bytes in memory: each read is a pointer step, and a run of text is found
// with one memchr over what is left.
struct MemorySource {
    const unsigned char* at;
    const unsigned char* end;
    int Get() { return at < end ? *at++ : -1; }
    bool AtEndOfFile() const { return true; }
    size_t TakeUntil(char stop, size_t limit, RunBuffer& buf) {
        size_t count = static_cast<size_t>(end - at);
        if (count > limit) count = limit;
        if (const void* found = std::memchr(at, stop, count))
            count = static_cast<size_t>(static_cast<const unsigned char*>(found) - at);
        buf.Append(reinterpret_cast<const char*>(at), count);
        at += count;
        return count;
    }
};

struct PlainSource {
    iwstream& in;
    int Get() {
        unsigned char c;
        return in.Read(&c, 1) == 1 ? c : -1;
    }
    bool AtEndOfFile() const { return in.IsEnd() && !in.IsError(); }
    size_t TakeUntil(char, size_t, RunBuffer&) { return 0; }
};

}  // namespace

// The steps are inlined into the run's loop, which keeps the cursor in
// registers.
#define OV_STEP inline __attribute__((always_inline))

// Where the tokenizer stands between two bytes.
enum class TokenState : uint8_t {
    kBetweenTokens,
    kText,
    kTagName,
    kExpectingClose,  // a `>` must come next
    kAttrName,
    kAfterAttrName,
    kAttrValue,
};

// The working state of one Parse run.
struct XmlParser::Run {
    RunBuffer text{1024};  // text, or the comment in comment mode
    RunBuffer tag{32};
    RunBuffer attr{32};
    RunBuffer value{1024};
    TokenState state = TokenState::kBetweenTokens;
    bool comment = false;
    bool skipSpace = false;
    bool bogus = false;        // reported to nobody
    bool endTag = false;       // began with `</`
    bool selfClosing = false;  // a `/` followed the name
    bool nameReported = false;
    char quote = 0;  // the open quote, 0 outside quotes
    uint32_t commentTaken = 0;

    void ClearTagFlags() { bogus = endTag = selfClosing = nameReported = false; }
};

// The byte in hand and its stream position. A local of the run's loop apart
// from Run, so that the compiler keeps it in registers.
struct XmlParser::Cursor {
    int c = 0;
    int32_t pos = -1;
    bool readNext = true;  // false: the next step sees the same byte again
    bool ended = false;    // the input ended inside a step

    void Again() { readNext = false; }
    // After a run of bytes: the byte that stopped it is taken again, or the
    // input has ended.
    void RunStopped(bool atByte) { atByte ? Again() : void(ended = true); }
};

void XmlParser::ResetPositions() {
    tagStart_ = tagNameStart_ = attrNameStart_ = attrValueStart_ = tagEnd_ = -1;
}

int XmlParser::Parse(iwstream& in) {
    if (ibwstream* buffered = dynamic_cast<ibwstream*>(&in)) {
        BufferedSource source{*buffered};
        return RunOver(source, buffered->Tell());
    }
    // A stream over a medium that cannot tell its position starts at 0;
    // the failed question must not spoil the reads.
    const uint32_t before = in.State();
    long start = in.Tell();
    if (start < 0) {
        in.ClearState(in.State() & ~before);
        start = 0;
    }
    PlainSource source{in};
    return RunOver(source, start);
}

int XmlParser::Parse(const char* bytes, size_t n) {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes);
    MemorySource source{begin, begin + n};
    return RunOver(source, 0);
}

template <class Source>
int XmlParser::RunOver(Source& source, long start) {
    Run r;
    Cursor k;
    ResetPositions();
    k.pos = static_cast<int32_t>(start < 0 ? 0 : start) - 1;
    for (;;) {
        if (k.readNext) {
            k.c = source.Get();
            if (k.c < 0) return AtEnd(r, source.AtEndOfFile());
            ++k.pos;
        }
        k.readNext = true;
        if (rawMode_) {
            TakeRaw(r, k.c);
            continue;
        }
        if (r.comment) {
            if (int rc = TakeComment(r, k.c)) return rc;
            continue;
        }
        if (r.skipSpace) {
            if (IsSpace(k.c)) continue;
            r.skipSpace = false;
        }
        const int rc = Step(r, k, source);
        if (k.ended) return AtEnd(r, source.AtEndOfFile());
        if (rc) return rc;
    }
}

// The step of the state the run is in. A switch rather than a table of
// member pointers: the compiler inlines every step into the run's loop and
// keeps the cursor in registers (a table cost a quarter of the speed).
template <class Source>
OV_STEP int XmlParser::Step(Run& r, Cursor& k, Source& source) {
    switch (r.state) {
        case TokenState::kBetweenTokens:
            return BetweenTokens(r, k, source);
        case TokenState::kText:
            return TakeText(r, k, source);
        case TokenState::kTagName:
            return TakeTagName(r, k, source);
        case TokenState::kExpectingClose:
            return ExpectClose(r, k, source);
        case TokenState::kAttrName:
            return TakeAttrName(r, k, source);
        case TokenState::kAfterAttrName:
            return AfterAttrName(r, k, source);
        case TokenState::kAttrValue:
            return TakeAttrValue(r, k, source);
    }
    return 0;
}

void XmlParser::TakeRaw(Run& r, int c) {
    if (r.state != TokenState::kBetweenTokens) {
        r.state = TokenState::kBetweenTokens;
        r.tag.Clear();
        r.attr.Clear();
        r.value.Clear();
        r.ClearTagFlags();
    }
    OnRawChar(static_cast<unsigned char>(c));
}

int XmlParser::TakeComment(Run& r, int c) {
    size_t length;
    if (c == '>' && CommentEnds(r.text, r.commentTaken, &length)) {
        r.text.Cut(length);
        int rc = OnComment(r.text.Terminated(), length);
        r.comment = false;
        r.text.Clear();
        r.commentTaken = 0;
        return rc;
    }
    int rc = 0;
    if (r.text.Size() > kPieceLimit) {
        // Keep the last two bytes: they may open the closing "--".
        size_t piece = r.text.Size() - 2;
        const char* data = r.text.Terminated();
        char tail[2] = {data[piece], data[piece + 1]};
        r.text.Cut(piece);
        rc = OnComment(r.text.Terminated(), piece);
        r.text.Clear();
        r.text.Push(tail[0]);
        r.text.Push(tail[1]);
    }
    r.text.Push(c);
    ++r.commentTaken;
    return rc;
}

template <class Source>
OV_STEP int XmlParser::BetweenTokens(Run& r, Cursor& k, Source&) {
    if (k.c == '<') {
        tagStart_ = k.pos;
        r.state = TokenState::kTagName;
    } else {
        r.state = TokenState::kText;
        k.Again();
    }
    return 0;
}

template <class Source>
OV_STEP int XmlParser::TakeText(Run& r, Cursor& k, Source& source) {
    // Plain bytes are taken in a tight loop; nothing can change the mode
    // between two bytes unless a callback runs. Locals: the buffer's byte
    // stores could alias the run's fields.
    int c = k.c;
    int32_t pos = k.pos;
    while (c != '<' && r.text.Size() <= kPieceLimit) {
        r.text.Push(c);
        // The bytes of the piece already buffered in one go.
        pos += static_cast<int32_t>(source.TakeUntil('<', kPieceLimit + 1 - r.text.Size(), r.text));
        if (!Next(source, c, pos)) {
            k.pos = pos;
            k.ended = true;
            return 0;
        }
    }
    k.c = c;
    k.pos = pos;
    int rc = 0;
    if (k.c == '<') {
        if (!r.text.Empty()) {
            rc = OnText(r.text.Terminated(), r.text.Size());
            r.text.Clear();
        }
        r.state = TokenState::kBetweenTokens;
        k.Again();
    } else {
        rc = OnText(r.text.Terminated(), r.text.Size());
        r.text.Clear();
        r.text.Push(k.c);
    }
    return rc;
}

template <class Source>
OV_STEP int XmlParser::TakeTagName(Run& r, Cursor& k, Source& source) {
    const int c = k.c;
    if (c == '-' && r.tag.Size() == 2 && r.tag[0] == '!' && r.tag[1] == '-') {
        r.comment = true;
        r.state = TokenState::kBetweenTokens;
        r.tag.Clear();
        r.ClearTagFlags();
    } else if (c == '"' || c == '\'') {
        r.bogus = true;
    } else if (IsSpace(c)) {
        if (r.tag.Empty()) r.bogus = true;
        r.state = TokenState::kAttrName;
        r.skipSpace = true;
        if (!r.nameReported) return CompleteName(r);
    } else if (c == '/') {
        if (r.tag.Empty()) {
            r.endTag = true;
        } else {
            r.selfClosing = true;
            r.state = TokenState::kExpectingClose;
            if (!r.nameReported) return CompleteName(r);
        }
    } else if (c == '>') {
        r.state = TokenState::kExpectingClose;
        k.Again();
        if (!r.nameReported) return CompleteName(r);
    } else {
        if (r.tag.Empty()) tagNameStart_ = k.pos;
        r.tag.Push(c);
        k.RunStopped(TakeWhile(source, k.c, k.pos, r.tag, IsPlainNameByte));
    }
    return 0;
}

template <class Source>
OV_STEP int XmlParser::ExpectClose(Run& r, Cursor& k, Source&) {
    if (k.c != '>') {
        // A broken tag (`<a/b>`, `(rowid<'2')`) is dropped up to its `>`;
        // tokenizing goes on after it.
        r.bogus = true;
        return 0;
    }
    tagEnd_ = k.pos;
    return CloseTag(r);
}

template <class Source>
OV_STEP int XmlParser::TakeAttrName(Run& r, Cursor& k, Source& source) {
    const int c = k.c;
    if (r.quote) {
        if (c == '>') {
            r.quote = 0;
            r.state = TokenState::kExpectingClose;
            k.Again();
            return ReportAttribute(r, 0, false);
        }
        if (c == r.quote) r.quote = 0;
    } else if (c == '>') {
        r.state = r.attr.Empty() ? TokenState::kExpectingClose : TokenState::kAfterAttrName;
        k.Again();
        return 0;
    } else if (c == '/' && r.attr.Empty()) {
        r.state = TokenState::kTagName;
        k.Again();
        return 0;
    } else if (IsSpace(c) || c == '=') {
        r.state = TokenState::kAfterAttrName;
        k.Again();
        return 0;
    } else if ((c == '"' || c == '\'') && r.attr.Empty()) {
        r.quote = static_cast<char>(c);
    }
    if (r.attr.Empty()) attrNameStart_ = k.pos;
    r.attr.Push(c);
    if (!r.quote) k.RunStopped(TakeWhile(source, k.c, k.pos, r.attr, IsPlainAttrByte));
    return 0;
}

template <class Source>
OV_STEP int XmlParser::AfterAttrName(Run& r, Cursor& k, Source&) {
    if (IsSpace(k.c)) {
        r.skipSpace = true;
    } else if (k.c == '=') {
        r.state = TokenState::kAttrValue;
        r.skipSpace = true;
    } else {
        r.state = TokenState::kAttrName;
        k.Again();
        return ReportAttribute(r, 0, false);
    }
    return 0;
}

template <class Source>
OV_STEP int XmlParser::TakeAttrValue(Run& r, Cursor& k, Source& source) {
    const int c = k.c;
    if (r.quote) {
        while (k.c != r.quote) {
            r.value.Push(k.c);
            if (!Next(source, k.c, k.pos)) {
                k.ended = true;
                return 0;
            }
        }
        const char quote = r.quote;
        r.quote = 0;
        r.state = TokenState::kAttrName;
        return ReportAttribute(r, quote, true);
    }
    if (r.value.Empty() && (c == '"' || c == '\'')) {
        r.quote = static_cast<char>(c);
        attrValueStart_ = k.pos + 1;
    } else if (c == '>') {
        r.state = TokenState::kExpectingClose;
        k.Again();
        return ReportAttribute(r, 0, true);
    } else if (IsSpace(c)) {
        r.state = TokenState::kAttrName;
        r.skipSpace = true;
        return ReportAttribute(r, 0, true);
    } else {
        if (r.value.Empty()) attrValueStart_ = k.pos;
        r.value.Push(c);
        k.RunStopped(
            TakeWhile(source, k.c, k.pos, r.value, [](int b) { return b != '>' && !IsSpace(b); }));
    }
    return 0;
}

int XmlParser::CompleteName(Run& r) {
    const char* name = r.tag.Terminated();
    if (!AcceptTag(name, r.tag.Size())) r.bogus = true;
    if (r.bogus) return 0;
    r.nameReported = true;
    return r.endTag ? OnEndTag(name, r.tag.Size()) : OnTagName(name, r.tag.Size());
}

int XmlParser::ReportAttribute(Run& r, char quote, bool fromValue) {
    int rc = 0;
    if (!r.bogus && !(fromValue && r.attr.Empty())) {
        rc = OnAttribute(r.tag.Terminated(), r.tag.Size(), r.attr.Terminated(), r.attr.Size(),
                         r.value.Terminated(), r.value.Size(), quote);
    }
    r.attr.Clear();
    r.value.Clear();
    attrNameStart_ = attrValueStart_ = -1;
    return rc;
}

int XmlParser::CloseTag(Run& r) {
    int rc = 0;
    if (!r.bogus && !r.endTag) {
        const char* name = r.tag.Terminated();
        rc = OnTagClose(name, r.tag.Size());
        if (!rc && r.selfClosing) rc = OnEndTag(name, r.tag.Size());
    }
    r.tag.Clear();
    r.ClearTagFlags();
    r.attr.Clear();
    r.value.Clear();
    r.quote = 0;
    ResetPositions();
    r.state = TokenState::kBetweenTokens;
    return rc;
}

int XmlParser::AtEnd(Run& r, bool endOfFile) {
    if (!endOfFile) return -1;
    if (r.text.Empty()) return 0;
    if (r.comment) return OnComment(r.text.Terminated(), r.text.Size());
    return OnText(r.text.Terminated(), r.text.Size());
}
