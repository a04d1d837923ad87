#pragma once
// The tokenizer's constant tables: tags, attributes and attribute value
// keywords, each sorted by name in byte order. An identifier is the 1-based
// row number; 0 means unknown.
#include <cstddef>

// Tag identifiers, in lockstep with the tag table.
enum TagIds : int {
    kTagA = 1,
    kTagAbbr = 2,
    kTagAcronym = 3,
    kTagAddress = 4,
    kTagApplet = 5,
    kTagArea = 6,
    kTagB = 7,
    kTagBase = 8,
    kTagBasefont = 9,
    kTagBdo = 10,
    kTagBgsound = 11,
    kTagBig = 12,
    kTagBlink = 13,
    kTagBlockquote = 14,
    kTagBody = 15,
    kTagBr = 16,
    kTagButton = 17,
    kTagCaption = 18,
    kTagCenter = 19,
    kTagCite = 20,
    kTagCode = 21,
    kTagCol = 22,
    kTagColgroup = 23,
    kTagComment = 24,
    kTagDd = 25,
    kTagDel = 26,
    kTagDfn = 27,
    kTagDir = 28,
    kTagDiv = 29,
    kTagDl = 30,
    kTagDt = 31,
    kTagEm = 32,
    kTagEmbed = 33,
    kTagFieldset = 34,
    kTagFont = 35,
    kTagForm = 36,
    kTagFrame = 37,
    kTagFrameset = 38,
    kTagH1 = 39,
    kTagH2 = 40,
    kTagH3 = 41,
    kTagH4 = 42,
    kTagH5 = 43,
    kTagH6 = 44,
    kTagHead = 45,
    kTagHr = 46,
    kTagHtml = 47,
    kTagI = 48,
    kTagIframe = 49,
    kTagImage = 50,
    kTagImg = 51,
    kTagInput = 52,
    kTagIns = 53,
    kTagIsindex = 54,
    kTagKbd = 55,
    kTagLabel = 56,
    kTagLegend = 57,
    kTagLi = 58,
    kTagLink = 59,
    kTagListing = 60,
    kTagMap = 61,
    kTagMarquee = 62,
    kTagMenu = 63,
    kTagMeta = 64,
    kTagNobr = 65,
    kTagNoframes = 66,
    kTagNoscript = 67,
    kTagObject = 68,
    kTagOl = 69,
    kTagOptgroup = 70,
    kTagOption = 71,
    kTagP = 72,
    kTagParam = 73,
    kTagPlaintext = 74,
    kTagPre = 75,
    kTagQ = 76,
    kTagS = 77,
    kTagSamp = 78,
    kTagScript = 79,
    kTagSelect = 80,
    kTagSmall = 81,
    kTagSpan = 82,
    kTagStrike = 83,
    kTagStrong = 84,
    kTagStyle = 85,
    kTagSub = 86,
    kTagSup = 87,
    kTagTable = 88,
    kTagTbody = 89,
    kTagTd = 90,
    kTagTextarea = 91,
    kTagTfoot = 92,
    kTagTh = 93,
    kTagThead = 94,
    kTagTitle = 95,
    kTagTr = 96,
    kTagTt = 97,
    kTagU = 98,
    kTagUl = 99,
    kTagVar = 100,
    kTagWbr = 101,
    kTagXmp = 102,
    kTagCount = 102,
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
// Inline elements (groups 1 and 2) make no node of the document tree.
inline bool IsInlineTag(int tag) {
    int g = TagGroup(tag);
    return g == 1 || g == 2;
}

// The kind of list a tag opens: 99 for dir, menu and ul, 30 for dl, 69 for
// ol, 0 for every other tag.
int ListKindOf(int tag);
