#include "compare/KeywordParser.h"

#include <cstring>

#include "stream/MemStream.h"

void KeywordParser::AddText(const char* text, long length) {
    if (open_ && target_.Last())
        target_.Last()->Append(text, static_cast<size_t>(length));
    else
        target_.Add(text, static_cast<size_t>(length));
    open_ = true;
}

int KeywordParser::OnToken(int tokenClass, const char* text, long length) {
    switch (tokenClass) {
        case kNumber:
        case kSign:
        case kWord:
            AddText(text, length);
            break;
        case kQuoted:
            target_.Add(text, static_cast<size_t>(length));
            open_ = false;
            break;
        case kPunctuation:
            if (text[0] == ',' || text[0] == ';')
                open_ = false;
            else
                AddText(text, length);
            break;
        case kWhiteSpace:
            open_ = false;
            break;
        default:  // line breaks neither close nor add; the end adds nothing
            break;
    }
    return 0;
}

void ParseKeywords(const char* text, StrList& list) {
    if (!text || !*text) return;
    imwstream in(text, static_cast<long>(std::strlen(text)));
    KeywordParser(list).Parse(in);
}
