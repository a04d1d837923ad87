#include "html/TitleParser.h"

#include <cstring>
#include <string>
#include <vector>

#include "html/CharRef.h"
#include "html/Charset.h"
#include "html/CharsetDetect.h"
#include "html/HtmlTables.h"
#include "html/PageCharset.h"
#include "html/RefDecode.h"
#include "stream/FileStream.h"
#include "stream/MemStream.h"

int TitleParser::OnStartTag(int tag) {
    if (tag == kTagMeta) {
        metaContent_.Clear();
        metaEquiv_.Clear();
    }
    return tag == kTagBody ? 1 : 0;  // the body begins: stop
}

int TitleParser::OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char) {
    if (tag != kTagMeta) return 0;
    if (attr == kAttrHttpEquiv)
        metaEquiv_.Assign(value, length);
    else if (attr == kAttrContent)
        metaContent_.Assign(value, length);
    return 0;
}

int TitleParser::OnStartTagEnd(int tag) {
    currentTag_ = tag;
    if (tag == kTagMeta && metaEquiv_.CompareNoCase("Content-Type") == 0 &&
        !metaContent_.IsEmpty()) {
        ParseContentType(metaContent_.c_str(), nullptr, &charsetCode_, nullptr, nullptr);
    }
    return 0;
}

int TitleParser::OnHtmlText(const char* text, size_t length) {
    // Text after </title> up to the next start tag still counts.
    if (currentTag_ == kTagTitle) titleText_.Append(text, length);
    return 0;
}

int TitleParser::OnHtmlEndTag(int tag, int) {
    if (tag != kTagTitle) return 0;
    if (utf8Text_) {
        title_ = CollapseSpaces(DecodeTextUtf8(titleText_.c_str(), titleText_.Length()).c_str());
        return 0;
    }
    std::vector<char> decoded(titleText_.Length() + 1);
    DecodeEntities(decoded.data(), decoded.size(), titleText_.c_str(), titleText_.Length());
    title_ = CollapseSpaces(decoded.data());
    return 0;
}

AStr CollapseSpaces(const char* text) {
    AStr out;
    if (!text) return out;
    std::vector<char> kept;
    kept.reserve(std::strlen(text));
    char previous = ' ';
    for (const char* p = text; *p; ++p) {
        char c = (*p == '\r' || *p == '\n' || *p == '\t') ? ' ' : *p;
        if (!(c == ' ' && previous == ' ')) kept.push_back(c);
        previous = c;
    }
    out.Assign(kept.data(), kept.size());
    return out;
}

AStr ReadPageTitle(const char* path, int* code) {
    ifwstream file(path);
    if (file.OpenError() || file.IsError()) return AStr();
    std::string page;
    ReadRest(file, &page);
    int local = 0;
    if (!code) code = &local;

    size_t skip = 0;
    const int chosen = ChoosePageCharset(page.data(), page.size(), *code, &skip);
    std::string text;
    if (CarriedAsUtf8(chosen) &&
        CharsetToUtf8(chosen, page.data() + skip, page.size() - skip, &text)) {
        imwstream in(text.data(), static_cast<long>(text.size()));
        TitleParser parser(true);
        parser.Parse(in);
        *code = chosen;
        return parser.Title();
    }

    imwstream in(page.data(), static_cast<long>(page.size()));
    TitleParser parser;
    parser.Parse(in);  // stops itself at the body
    if (*code == 0) {
        *code = parser.CharsetCode();
        if (*code == 0) {
            in.ClearState(wstream::kEnd);
            if (in.Seek(0, 0) == 0) DetectCharset(in, code, 3);
        }
    }
    AStr title = parser.Title();
    ConvertCharset(*code, title);
    return title;
}
