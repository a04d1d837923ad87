#pragma once
// The markup tokenizer's HTML layer: maps tag and attribute names to their
// table identifiers, drops unknown ones, skips the raw content of script-like
// elements and passes typed callbacks on to its subclasses (the document
// builder, the title reader, the frame reader).
#include <cstdint>

#include "framework/AStr.h"
#include "html/XmlParser.h"

class HtmlParser : public XmlParser {
  public:
    enum Options : uint8_t {
        RawScripts = 1,  // the contents of applet and script are skipped raw
        RawStyles = 2,   // the contents of style are skipped raw
    };

    explicit HtmlParser(uint8_t options) : options_(options) {}

    // Skips raw content up to the end of the element `tag`: builds the
    // terminator "<tag>" (or "</tag>" when `closing`), lower-cased, and turns
    // raw mode on. Tag 0 forgets the element and leaves raw mode.
    void EnterRawElement(int tag, bool closing);
    // The element whose content is being skipped, 0 when none.
    int RawElement() const { return rawElement_; }
    uint8_t Options() const { return options_; }

  protected:
    // Typed callbacks; non-zero ends the Parse run with that value.
    virtual int OnHtmlText(const char* text, size_t length) = 0;
    virtual int OnStartTag(int tag) = 0;
    // Attributes of an end tag arrive with tag 0.
    virtual int OnHtmlAttribute(int tag, int attr, const char* value, size_t length,
                                char quote) = 0;
    // The `>` of a start tag (not for elements whose content is skipped raw).
    virtual int OnStartTagEnd(int tag) = 0;
    // `flag` is 0 for an end tag read from the input.
    virtual int OnHtmlEndTag(int tag, int flag) = 0;
    virtual int OnHtmlComment(const char* text, size_t length) { return 0; }

    // The start tag being read, 0 when none or unknown.

    int OnTagName(const char* name, size_t length) override;
    int OnTagClose(const char* name, size_t length) override;
    int OnAttribute(const char* tag, size_t tagLength, const char* name, size_t nameLength,
                    const char* value, size_t valueLength, char quote) override;
    int OnEndTag(const char* name, size_t length) override;
    int OnText(const char* text, size_t length) override { return OnHtmlText(text, length); }
    int OnComment(const char* text, size_t length) override { return OnHtmlComment(text, length); }
    int OnRawChar(unsigned char c) override;

  private:
    int currentTag_ = 0;
    int rawElement_ = 0;
    AStr rawTerminator_;
    uint32_t terminatorLength_ = 0;
    uint32_t matchIndex_ = 0;
    uint8_t options_;
};

// Looks into stored markup for a picture and a title, nothing else. Only
// the tests use it today; it stays for the writer of stored documents,
// which must know whether a copy shows pictures or carries a title.
class HtmlParser1 : public HtmlParser {
  public:
    HtmlParser1() : HtmlParser(RawScripts | RawStyles) {}
    bool HasImage() const { return hasImage_ != 0; }
    bool HasTitle() const { return hasTitle_ != 0; }

  protected:
    int OnStartTag(int tag) override;
    // A `background` picture counts as an image too.
    int OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char quote) override;
    int OnHtmlText(const char*, size_t) override { return 0; }
    int OnStartTagEnd(int) override { return 0; }
    int OnHtmlEndTag(int, int) override { return 0; }

  private:
    uint8_t hasImage_ = 0;
    uint8_t hasTitle_ = 0;
};
