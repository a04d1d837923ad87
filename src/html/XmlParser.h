#pragma once
// The markup tokenizer's lower layer: a byte-at-a-time state machine that
// turns a stream into callbacks with raw names, values, text and comments.
// Only < > / = - ! " ' and white space mean anything to it; it knows no
// character set and no tag names.
#include <cstddef>
#include <cstdint>

class iwstream;
class ibwstream;

class XmlParser {
  public:
    XmlParser() = default;
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;
    virtual ~XmlParser() = default;

    // Tokenizes the stream to its end. Returns 0 at the normal end of input,
    // -1 when a read fails without end of file, -2 when a byte other than
    // `>` follows `/` after a tag name (as in `<a/b>`), or the first
    // non-zero value a callback returned. A buffered stream is read through
    // its inline byte reader; any other stream one Read call per byte.
    int Parse(iwstream& in);
    // Tokenizes n bytes held in memory, as a stream over them would be
    // (positions count from 0); the bytes stay untouched.
    int Parse(const char* bytes, size_t n);

    // In raw mode every byte goes to OnRawChar and nothing is tokenized; it
    // lasts across Parse calls until switched off.
    void SetRawMode(bool on) { rawMode_ = on ? 1 : 0; }
    bool RawMode() const { return rawMode_ != 0; }

    // Stream positions for callbacks, -1 when none: the `<` of the tag
    // being read, the first byte of its name, of the current attribute's
    // name and of its value (after an opening quote), and the `>` that
    // closed the last tag.
    int32_t TagStart() const { return tagStart_; }
    int32_t TagNameStart() const { return tagNameStart_; }
    int32_t AttrNameStart() const { return attrNameStart_; }
    int32_t AttrValueStart() const { return attrValueStart_; }
    int32_t TagEnd() const { return tagEnd_; }

  protected:
    // Every callback that returns non-zero ends the Parse run with that
    // value. Names, values and texts are zero-terminated and valid only
    // during the call.
    virtual int OnTagName(const char* name, size_t length) { return 0; }
    virtual int OnTagClose(const char* name, size_t length) { return 0; }
    virtual int OnAttribute(const char* tag, size_t tagLength, const char* name, size_t nameLength,
                            const char* value, size_t valueLength, char quote) {
        return 0;
    }
    virtual int OnEndTag(const char* name, size_t length) { return 0; }
    virtual bool AcceptTag(const char* name, size_t length) { return true; }
    // Text and comments arrive in pieces of at most 1024 bytes.
    virtual int OnText(const char* text, size_t length) { return 0; }
    virtual int OnComment(const char* text, size_t length) { return 0; }
    // Its result is ignored.
    virtual int OnRawChar(unsigned char c) { return 0; }

  private:
    struct Run;
    struct Cursor;
    template <class Source>
    int RunOver(Source& source, long start);
    template <class Source>
    int Step(Run& run, Cursor& cursor, Source& source);
    // One step per tokenizer state: each takes the byte in hand (and, where
    // a run of plain bytes follows, the whole run).
    template <class Source>
    int BetweenTokens(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int TakeText(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int TakeTagName(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int ExpectClose(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int TakeAttrName(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int AfterAttrName(Run& run, Cursor& cursor, Source& source);
    template <class Source>
    int TakeAttrValue(Run& run, Cursor& cursor, Source& source);
    void TakeRaw(Run& run, int c);
    int TakeComment(Run& run, int c);
    int CompleteName(Run& run);
    int ReportAttribute(Run& run, char quote, bool fromValue);
    int CloseTag(Run& run);
    int AtEnd(Run& run, bool endOfFile);
    void ResetPositions();

    int32_t tagStart_ = -1;
    int32_t tagNameStart_ = -1;
    int32_t attrNameStart_ = -1;
    int32_t attrValueStart_ = -1;
    int32_t tagEnd_ = -1;
    uint8_t rawMode_ = 0;
};
