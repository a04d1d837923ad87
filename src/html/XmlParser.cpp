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

// The working state of one Parse run.
struct XmlParser::Run {
    RunBuffer text{1024};  // text, or the comment in comment mode
    RunBuffer tag{32};
    RunBuffer attr{32};
    RunBuffer value{1024};
    int state = 0;  // 0 between tokens, 1 text, 2 tag name, 4 expecting `>`,
                    // 5 attribute name, 6 after it, 7 attribute value
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

template <class Source>
int XmlParser::RunOver(Source& source, long start) {
    Run r;
    ResetPositions();
    int32_t pos = static_cast<int32_t>(start < 0 ? 0 : start) - 1;  // of the byte in hand
    int c = 0;
    bool readNext = true;
    for (;;) {
        if (readNext) {
            c = source.Get();
            if (c < 0) return AtEnd(r, source.AtEndOfFile());
            ++pos;
        }
        readNext = true;  // handlers that want the byte again clear it

        if (rawMode_) {
            if (r.state != 0) {
                r.state = 0;
                r.tag.Clear();
                r.attr.Clear();
                r.value.Clear();
                r.ClearTagFlags();
            }
            OnRawChar(static_cast<unsigned char>(c));
            continue;
        }

        if (r.comment) {
            size_t length;
            if (c == '>' && CommentEnds(r.text, r.commentTaken, &length)) {
                r.text.Cut(length);
                int rc = OnComment(r.text.Terminated(), length);
                r.comment = false;
                r.text.Clear();
                r.commentTaken = 0;
                if (rc) return rc;
                continue;
            }
            if (r.text.Size() > kPieceLimit) {
                // Keep the last two bytes: they may open the closing "--".
                size_t piece = r.text.Size() - 2;
                const char* data = r.text.Terminated();
                char tail[2] = {data[piece], data[piece + 1]};
                r.text.Cut(piece);
                int rc = OnComment(r.text.Terminated(), piece);
                r.text.Clear();
                r.text.Push(tail[0]);
                r.text.Push(tail[1]);
                if (rc) return rc;
            }
            r.text.Push(c);
            ++r.commentTaken;
            continue;
        }

        if (r.skipSpace) {
            if (IsSpace(c)) continue;
            r.skipSpace = false;
        }

        int rc = 0;
        switch (r.state) {
            case 0:  // between tokens
                if (c == '<') {
                    tagStart_ = pos;
                    r.state = 2;
                } else {
                    r.state = 1;
                    readNext = false;
                }
                break;

            case 1:  // text
                // Plain bytes are taken in a tight loop; nothing can change
                // the mode between two bytes unless a callback runs.
                while (c != '<' && r.text.Size() <= kPieceLimit) {
                    r.text.Push(c);
                    // The bytes of the piece already buffered in one go.
                    pos += static_cast<int32_t>(
                        source.TakeUntil('<', kPieceLimit + 1 - r.text.Size(), r.text));
                    if (!Next(source, c, pos)) return AtEnd(r, source.AtEndOfFile());
                }
                if (c == '<') {
                    if (!r.text.Empty()) {
                        rc = OnText(r.text.Terminated(), r.text.Size());
                        r.text.Clear();
                    }
                    r.state = 0;
                    readNext = false;
                } else {
                    rc = OnText(r.text.Terminated(), r.text.Size());
                    r.text.Clear();
                    r.text.Push(c);
                }
                break;

            case 2:  // tag name
                if (c == '-' && r.tag.Size() == 2 && r.tag[0] == '!' && r.tag[1] == '-') {
                    r.comment = true;
                    r.state = 0;
                    r.tag.Clear();
                    r.ClearTagFlags();
                } else if (c == '"' || c == '\'') {
                    r.bogus = true;
                } else if (IsSpace(c)) {
                    if (r.tag.Empty()) r.bogus = true;
                    r.state = 5;
                    r.skipSpace = true;
                    if (!r.nameReported) rc = CompleteName(r);
                } else if (c == '/') {
                    if (r.tag.Empty()) {
                        r.endTag = true;
                    } else {
                        r.selfClosing = true;
                        r.state = 4;
                        if (!r.nameReported) rc = CompleteName(r);
                    }
                } else if (c == '>') {
                    r.state = 4;
                    if (!r.nameReported) rc = CompleteName(r);
                    readNext = false;
                } else {
                    if (r.tag.Empty()) tagNameStart_ = pos;
                    r.tag.Push(c);
                    // The rest of a plain name in a tight loop.
                    while (Next(source, c, pos)) {
                        if (!IsPlainNameByte(c)) {
                            readNext = false;
                            break;
                        }
                        r.tag.Push(c);
                    }
                    if (readNext) return AtEnd(r, source.AtEndOfFile());
                }
                break;

            case 4:  // expecting `>`
                if (c != '>') {
                    // A broken tag (`<a/b>`, `(rowid<'2')`) is dropped up to
                    // its `>`; tokenizing goes on after it.
                    r.bogus = true;
                    break;
                }
                tagEnd_ = pos;
                rc = CloseTag(r);
                break;

            case 5:  // attribute name
                if (r.quote) {
                    if (c == '>') {
                        rc = ReportAttribute(r, 0, false);
                        r.quote = 0;
                        r.state = 4;
                        readNext = false;
                        break;
                    }
                    if (c == r.quote) r.quote = 0;
                } else if (c == '>') {
                    r.state = r.attr.Empty() ? 4 : 6;
                    readNext = false;
                    break;
                } else if (c == '/' && r.attr.Empty()) {
                    r.state = 2;
                    readNext = false;
                    break;
                } else if (IsSpace(c) || c == '=') {
                    r.state = 6;
                    readNext = false;
                    break;
                } else if ((c == '"' || c == '\'') && r.attr.Empty()) {
                    r.quote = static_cast<char>(c);
                }
                if (r.attr.Empty()) attrNameStart_ = pos;
                r.attr.Push(c);
                if (!r.quote) {
                    while (Next(source, c, pos)) {
                        if (!IsPlainAttrByte(c)) {
                            readNext = false;
                            break;
                        }
                        r.attr.Push(c);
                    }
                    if (readNext) return AtEnd(r, source.AtEndOfFile());
                }
                break;

            case 6:  // after an attribute name
                if (IsSpace(c)) {
                    r.skipSpace = true;
                } else if (c == '=') {
                    r.state = 7;
                    r.skipSpace = true;
                } else {
                    rc = ReportAttribute(r, 0, false);
                    r.state = 5;
                    readNext = false;
                }
                break;

            case 7:  // attribute value
                if (r.quote) {
                    while (c != r.quote) {
                        r.value.Push(c);
                        if (!Next(source, c, pos)) return AtEnd(r, source.AtEndOfFile());
                    }
                    if (c == r.quote) {
                        rc = ReportAttribute(r, r.quote, true);
                        r.quote = 0;
                        r.state = 5;
                    } else {
                        r.value.Push(c);
                    }
                } else if (r.value.Empty() && (c == '"' || c == '\'')) {
                    r.quote = static_cast<char>(c);
                    attrValueStart_ = pos + 1;
                } else if (c == '>') {
                    rc = ReportAttribute(r, 0, true);
                    r.state = 4;
                    readNext = false;
                } else if (IsSpace(c)) {
                    rc = ReportAttribute(r, 0, true);
                    r.state = 5;
                    r.skipSpace = true;
                } else {
                    if (r.value.Empty()) attrValueStart_ = pos;
                    r.value.Push(c);
                    while (Next(source, c, pos)) {
                        if (c == '>' || IsSpace(c)) {
                            readNext = false;
                            break;
                        }
                        r.value.Push(c);
                    }
                    if (readNext) return AtEnd(r, source.AtEndOfFile());
                }
                break;

            default:
                break;
        }
        if (rc) return rc;
    }
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
    r.state = 0;
    return rc;
}

int XmlParser::AtEnd(Run& r, bool endOfFile) {
    if (!endOfFile) return -1;
    if (r.text.Empty()) return 0;
    if (r.comment) return OnComment(r.text.Terminated(), r.text.Size());
    return OnText(r.text.Terminated(), r.text.Size());
}
