#pragma once
// Reads the title of a stored page, and the character set the page
// declares, without building a document; stops where the body begins.
#include "framework/AStr.h"
#include "html/HtmlParser.h"

class TitleParser : public HtmlParser {
  public:
    // With `utf8Text` the page is UTF-8 and references decode to UTF-8.
    explicit TitleParser(bool utf8Text = false)
        : HtmlParser(RawScripts | RawStyles), utf8Text_(utf8Text) {}

    // The title: the gathered title text with its references decoded and
    // its white space collapsed; empty until a title element has ended.
    const AStr& Title() const { return title_; }
    // The code of the last meta Content-Type declaration, 0 when none.
    int CharsetCode() const { return charsetCode_; }

  protected:
    int OnStartTag(int tag) override;
    int OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char quote) override;
    int OnStartTagEnd(int tag) override;
    int OnHtmlText(const char* text, size_t length) override;
    int OnHtmlEndTag(int tag, int flag) override;

  private:
    bool utf8Text_;
    AStr title_;
    int currentTag_ = 0;  // the last start tag closed by `>`
    int charsetCode_ = 0;
    AStr metaContent_;
    AStr metaEquiv_;
    AStr titleText_;  // everything gathered while the current tag is title
};

// CR, LF and tab become spaces and runs of spaces one space; leading white
// space goes, one trailing space stays.
AStr CollapseSpaces(const char* text);

// The title of the page file at `path` in the working code page, or in
// UTF-8 for a page outside the Cyrillic encodings (a byte order mark, a
// code given in *code, a meta declaration or well-formed UTF-8 says which);
// empty when the file cannot be opened or has no title. When *code is 0 it
// becomes the code the page declares or, failing that, the code detection
// finds.
AStr ReadPageTitle(const char* path, int* code);
