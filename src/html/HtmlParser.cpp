#include "html/HtmlParser.h"

#include "framework/Cp1251.h"
#include "html/HtmlTables.h"

void HtmlParser::EnterRawElement(int tag, bool closing) {
    if (tag == 0) {
        rawElement_ = 0;
        rawTerminator_.Clear();
        terminatorLength_ = 0;
        matchIndex_ = 0;
        SetRawMode(false);
        return;
    }
    AStr terminator("<");
    if (closing) terminator += '/';
    terminator += TagName(tag);
    terminator += '>';
    terminator.MakeLower();
    rawTerminator_ = terminator;
    terminatorLength_ = static_cast<uint32_t>(rawTerminator_.Length());
    matchIndex_ = 0;
    rawElement_ = tag;
    if (terminatorLength_) SetRawMode(true);
}

int HtmlParser::OnRawChar(unsigned char c) {
    if (matchIndex_ >= terminatorLength_) return 0;
    if (static_cast<char>(cp1251::ToLower(c)) != rawTerminator_.c_str()[matchIndex_]) {
        // Not compared with the terminator's first byte again: `<</script>`
        // does not end the raw content.
        matchIndex_ = 0;
        return 0;
    }
    if (++matchIndex_ == terminatorLength_) EnterRawElement(0, false);
    return 0;
}

int HtmlParser::OnTagName(const char* name, size_t length) {
    currentTag_ = TagId(name, length);
    return currentTag_ ? OnStartTag(currentTag_) : 0;
}

int HtmlParser::OnTagClose(const char*, size_t) {
    const int tag = currentTag_;
    if (tag == 0) return 0;
    currentTag_ = 0;
    if (((tag == kTagApplet || tag == kTagScript) && (options_ & RawScripts)) ||
        (tag == kTagStyle && (options_ & RawStyles))) {
        EnterRawElement(tag, true);
        return 0;
    }
    return OnStartTagEnd(tag);
}

int HtmlParser::OnAttribute(const char*, size_t, const char* name, size_t nameLength,
                            const char* value, size_t valueLength, char quote) {
    const int attr = AttrId(name, nameLength);
    return attr ? OnHtmlAttribute(currentTag_, attr, value, valueLength, quote) : 0;
}

int HtmlParser::OnEndTag(const char* name, size_t length) {
    const int tag = TagId(name, length);
    return tag ? OnHtmlEndTag(tag, 0) : 0;
}

int HtmlParser1::OnStartTag(int tag) {
    if (tag == kTagImg) hasImage_ = 1;
    if (tag == kTagTitle) hasTitle_ = 1;
    return 0;
}

int HtmlParser1::OnHtmlAttribute(int, int attr, const char*, size_t length, char) {
    if (attr == kAttrBackground && length) hasImage_ = 1;
    return 0;
}
