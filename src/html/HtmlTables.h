#pragma once
// The tokenizer's constant tables: tags, attributes and attribute value
// keywords, each sorted by name in byte order. An identifier is the 1-based
// row number; 0 means unknown.
#include <cstddef>

#include "html/HtmlTagList.h"

// Tag identifiers: one per row of the tag list.
enum TagIds : int {
    kTagNone = 0,
#define OV_TAG_ID(id, name, flags, group) kTag##id,
    OV_HTML_TAGS(OV_TAG_ID)
#undef OV_TAG_ID
        kTagAfterLast,
    kTagCount = kTagAfterLast - 1,
    // Not a tag: the paragraph that running text opens by itself.
    kImpliedParagraph = 104,
};

// Attribute identifiers the code refers to (rows of the attribute table).
enum AttrIds : int {
    kAttrBackground = 11,
    kAttrCharset = 25,
    kAttrContent = 38,
    kAttrHref = 61,
    kAttrHttpEquiv = 64,
    kAttrName = 82,
    kAttrSrc = 125,
    kAttrStyle = 128,
    kAttrType = 136,
    kAttrCount = 149,
};

enum { kValueKeywordCount = 62 };

// The flag bit that marks an empty element (no content, no end tag).
enum { kTagFlagEmpty = 4 };

// The groups of the tag table, from the innermost kind of element outwards:
// the rows and columns of the closing matrix, compared by order where an end
// tag passes only open elements of no higher group.
enum TagGroupId : int {
    kGroupInline = 1,         // a, b, font, img, span, script...
    kGroupPhrase = 2,         // em, strong, code, sub...
    kGroupBreak = 3,          // br, center, div, form, hr: closed at once
    kGroupFormControl = 4,    // button, input, option, select...
    kGroupParagraph = 5,      // p
    kGroupListItem = 6,       // dd, dt, li
    kGroupBlock = 7,          // address, blockquote, the lists, pre...
    kGroupHeading = 8,        // h1 to h6
    kGroupCell = 9,           // caption, td, th
    kGroupRow = 10,           // tr
    kGroupRowGroup = 11,      // tbody, tfoot, thead
    kGroupColumns = 12,       // col, colgroup
    kGroupTable = 13,         // table
    kGroupFrame = 16,         // frame, noframes
    kGroupFrameset = 17,      // frameset
    kGroupDocumentPart = 18,  // body, head
    kGroupHtml = 19,          // html
};

// Row numbers by name: the name is lower-cased by the system's tables first;
// null, empty and unknown names give 0.
int TagId(const char* name, size_t length);
int AttrId(const char* name, size_t length);
int ValueKeywordId(const char* name, size_t length);

// The table's name for an identifier in range, "" otherwise.
const char* TagName(int tag);
const char* AttrName(int attr);
const char* ValueKeywordName(int keyword);

// The flag and group bytes of a tag row; 0 out of range.
int TagFlags(int tag);
int TagGroup(int tag);
inline bool IsEmptyTag(int tag) {
    return (TagFlags(tag) & kTagFlagEmpty) != 0;
}
// Inline elements make no node of the document tree.
inline bool IsInlineGroup(int group) {
    return group == kGroupInline || group == kGroupPhrase;
}
inline bool IsInlineTag(int tag) {
    return IsInlineGroup(TagGroup(tag));
}

// The kind of list a tag opens: 99 for dir, menu and ul, 30 for dl, 69 for
// ol, 0 for every other tag.
int ListKindOf(int tag);
