#pragma once
// The document builder: a tokenizer subclass that repairs the markup as it
// comes (an element stack, tag groups, content models, implied parents)
// and grows the document tree with its paragraphs and inline positions.
#include <cstddef>
#include <vector>

#include "html/AttrDescr.h"
#include "html/CharsetDetect.h"
#include "html/HtmlDocument.h"
#include "html/HtmlParser.h"

class HtmlReader : public HtmlParser {
  public:
    // `charsetCode` is the code the caller knows (0 when none). With
    // `utf8Text` the page arrives as UTF-8 and character references are
    // decoded into the text as UTF-8; else the bytes are in a Cyrillic
    // encoding and references become positions.
    HtmlReader(HtmlDocument& doc, int charsetCode, bool utf8Text = false);
    ~HtmlReader() override;

    // Closes every element still open, in stack order, and any open link.
    void Finish();

    // Where the text stands for white space, weakest first: a space after a
    // visible character is kept, after anything else it is dropped.
    enum Whitespace : int {
        kAfterVisible = 0,
        kAfterSpace = 1,
        kAfterLineBreak = 2,  // a br or hr element
        kAtBlockStart = 3,
    };
    Whitespace WhitespaceState() const { return whitespace_; }
    // The code and charset name of the last meta Content-Type with a known
    // charset (0 and empty when none).
    int DeclaredCode() const { return declaredCode_; }
    const AStr& DeclaredCharsetName() const { return declaredName_; }
    // The guess from the page text (1, 2 or 3).
    int GuessedCode() const { return guess_.Result(); }

  protected:
    int OnStartTag(int tag) override;
    int OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char quote) override;
    int OnStartTagEnd(int tag) override;
    int OnHtmlText(const char* text, size_t length) override;
    int OnHtmlEndTag(int tag, int flag) override;

  private:
    struct BlockEntry {
        int tag;
        HtmlNode* node;
        HtmlNode* table;  // the nearest table at or below this entry
    };
    struct StyleEntry {
        int tag;
        HtmlNode* table;  // the table the inline element was opened in
    };

    int TopTag() const { return blocks_.empty() ? 0 : blocks_.back().tag; }
    // The open node new nodes go under; null for the document's root.
    HtmlNode* TopNode() { return blocks_.empty() ? nullptr : blocks_.back().node; }
    HtmlNode* NearestTable() const { return blocks_.empty() ? nullptr : blocks_.back().table; }
    Paragraph* OpenParagraph();

    void MakeRoomFor(int tag);
    HtmlNode* OpenBlock(int tag);
    void CloseTop();
    void RemoveEntry(size_t index);
    void FinishEntry(const BlockEntry& entry);
    void CloseHead();
    void CloseBlockEndTag(int tag);
    void BreakLike(int tag, bool ended);

    void EndInline(int tag);
    void OpenLink();
    void CloseLink();
    void PlacePosition(TextPosition* position);

    void ReadMeta();
    void FlushText();
    void AddReference(const char* text, size_t length);
    // Decodes the UTF-8 reference at text[0] into the text run; the bytes
    // of the input it took (the `&` alone when it is no reference).
    size_t TakeUtf8Reference(const char* text, size_t length);
    // The pieces of a text run (see OnHtmlText).
    void OpenTextRun();
    void EmitText(const char* bytes, size_t n);
    size_t TakeReference(const char* text, size_t length);
    size_t TakePreformatted(const char* text, size_t i, size_t length);
    size_t TakePlainRun(const char* text, size_t i, size_t length);

    HtmlDocument& doc_;
    int givenCode_;
    bool utf8Text_;
    int declaredCode_ = 0;
    AStr declaredName_;
    CharsetGuess guess_;
    size_t fed_ = 0;

    std::vector<BlockEntry> blocks_;
    std::vector<StyleEntry> styles_;
    unsigned openCount_[kImpliedParagraph + 1] = {};  // block entries per tag
    unsigned styleCount_[kTagCount + 1] = {};         // style entries per tag
    int preformatted_ = 0;                            // open pre, listing, plaintext, xmp entries
    AttrList pending_;                                // the attributes of the tag being read
    Whitespace whitespace_ = kAtBlockStart;

    HtmlHRef* openLink_ = nullptr;
    PositionList waiting_;  // positions for the next paragraph to begin
    Paragraph* lastParagraph_ = nullptr;
    // The text of one OnHtmlText call as it goes to the paragraph, gathered
    // here (white space collapsed, references left out) and appended in one
    // piece: a byte in gives at most one byte out.
    std::vector<char> textRun_;
    size_t textRunLength_ = 0;
    HtmlNode* headMarker_ = nullptr;
    HtmlNode* bodyMarker_ = nullptr;
    bool headOpen_ = false;
    bool bodyOpen_ = false;
};
