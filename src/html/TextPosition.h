#pragma once
// Inline positions of a paragraph's text: character references, links,
// anchors, inline objects and the end-of-paragraph marker. Each has an
// offset into the text and a kind number.
#include <cstdint>
#include <cstring>

#include "framework/AStr.h"
#include "framework/FixedText.h"
#include "framework/List.h"
#include "html/AttrDescr.h"

enum PositionKinds : int {
    kStrPosKind = 3,            // a character reference, kept as its source
    kObjectPosKind = 7,         // an inline empty element such as img
    kSpecPosKind = 16,          // the end of the paragraph
    kHRefKind = 18,             // a link opening or closing
    kBookmarkKind = 19,         // a named anchor
    kConvertedStrPosKind = 22,  // a string converted with the text
};

class TextPosition : public Node, public ArenaObject {
  public:
    TextPosition(uint32_t offset, int kind) : offset_(offset), kind_(static_cast<uint8_t>(kind)) {}
    // Kept as data, not asked of the class: the comparison reads the kind of
    // every position of a page.
    int Kind() const { return kind_; }
    uint32_t Offset() const { return offset_; }
    void SetOffset(uint32_t offset) { offset_ = offset; }
    TextPosition* NextPos() const { return static_cast<TextPosition*>(Next()); }
    TextPosition* PrevPos() const { return static_cast<TextPosition*>(Prev()); }

  private:
    uint32_t offset_;
    uint8_t kind_;
};

using PositionList = ListOf<TextPosition>;

// A string position. Kind 3 holds the source of a character reference (such
// as "&nbsp;"), whose decoded byte is not part of the paragraph text.
class StrPos : public TextPosition {
  public:
    StrPos(uint32_t offset, const char* text, size_t length, int kind = kStrPosKind)
        : TextPosition(offset, kind) {
        text_.Assign(text, length);
    }
    const FixedText& Text() const { return text_; }
    FixedText& Text() { return text_; }

  private:
    FixedText text_;  // in the document's arena
};

class SpecPos : public TextPosition {
  public:
    explicit SpecPos(uint32_t offset) : TextPosition(offset, kSpecPosKind) {}
};

// A link position. The opening one carries a copy of the `a` tag's
// attributes; the closing one is coupled with it.
class HtmlHRef : public TextPosition {
  public:
    HtmlHRef(uint32_t offset, bool opening)
        : TextPosition(offset, kHRefKind), opening_(opening ? 1 : 0) {}
    ~HtmlHRef() override;

    // 1 where the link opens, 0 where it closes.
    uint8_t Opening() const { return opening_; }
    bool IsOpening() const { return opening_ == 1; }
    bool IsValid() const { return valid_ != 0; }
    void SetValid(bool valid) { valid_ = valid ? 1 : 0; }
    AttrList& Attrs() { return attrs_; }
    const AttrList& Attrs() const { return attrs_; }
    // The href attribute's value, null when the tag has none.
    const char* Href() const;

    // The other half of the pair, null while the link is open.
    HtmlHRef* Partner() const { return partner_; }
    static void Couple(HtmlHRef* opening, HtmlHRef* closing);

  private:
    uint8_t opening_;
    uint8_t valid_ = 1;
    AttrList attrs_;
    HtmlHRef* partner_ = nullptr;
};

// A named anchor: `a` with a name and no href.
class HtmlBookmark : public TextPosition {
  public:
    HtmlBookmark(uint32_t offset, const char* name) : TextPosition(offset, kBookmarkKind) {
        name_.Assign(name, name ? std::strlen(name) : 0);
    }
    const FixedText& Name() const { return name_; }

  private:
    FixedText name_;  // in the document's arena
};

// An inline empty element (img, image, area, ...) with its attributes.
class ObjectPos : public TextPosition {
  public:
    ObjectPos(uint32_t offset, int tag) : TextPosition(offset, kObjectPosKind), tag_(tag) {}
    int Tag() const { return tag_; }
    AttrList& Attrs() { return attrs_; }
    const AttrList& Attrs() const { return attrs_; }

  private:
    int tag_;
    AttrList attrs_;
};
