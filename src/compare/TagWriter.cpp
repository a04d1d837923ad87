#include "compare/TagWriter.h"

#include <cstdio>
#include <cstring>

#include "framework/Cp1251.h"
#include "html/HtmlTables.h"
#include "stream/WStream.h"

namespace {

void WriteUpper(owstream& out, const char* name) {
    char buffer[32];
    size_t n = std::strlen(name);
    if (n >= sizeof buffer) n = sizeof buffer - 1;
    std::memcpy(buffer, name, n);
    cp1251::UpperBuff(buffer, n);
    out.WriteText(buffer, static_cast<long>(n));
}

// Writes `text` with the bytes that markup gives a meaning replaced by
// their references.
void WriteEscaped(owstream& out, const char* text, bool quotes) {
    const char* run = text;
    for (const char* p = text;; ++p) {
        const char* ref = nullptr;
        switch (*p) {
            case '&':
                ref = "&amp;";
                break;
            case '<':
                ref = "&lt;";
                break;
            case '>':
                ref = "&gt;";
                break;
            case '"':
                ref = quotes ? "&quot;" : nullptr;
                break;
            case 0:
                out.WriteText(run, static_cast<long>(p - run));
                return;
            default:
                break;
        }
        if (!ref) continue;
        out.WriteText(run, static_cast<long>(p - run));
        out.WriteText(ref);
        run = p + 1;
    }
}

bool NeedsQuotes(const char* value) {
    if (!*value) return true;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(value); *p; ++p)
        if (*p <= ' ' || std::strchr("='<>", *p)) return true;
    return false;
}

}  // namespace

void WriteEscapedText(owstream& out, const char* text) {
    WriteEscaped(out, text ? text : "", false);
}

void WriteAttrValue(owstream& out, const char* value) {
    if (!value) value = "";
    bool quoted = NeedsQuotes(value);
    if (quoted) out.WriteText("\"", 1);
    WriteEscaped(out, value, true);
    if (quoted) out.WriteText("\"", 1);
}

void TagWriter::LineBreak() {
    if (!IsInlineTag(tag_)) out_.WriteNewLine();
}

void TagWriter::Start(std::initializer_list<TagAttr> attrs) {
    out_.WriteText("<", 1);
    WriteUpper(out_, TagName(tag_));
    for (const TagAttr& a : attrs) {
        out_.WriteText(" ", 1);
        WriteUpper(out_, AttrName(a.attr));
        if (a.kind == TagAttr::kBare) continue;
        out_.WriteText("=", 1);
        if (a.kind == TagAttr::kString) {
            WriteAttrValue(out_, a.text);
        } else {
            char number[24];
            std::snprintf(number, sizeof number, a.kind == TagAttr::kSigned ? "%+ld" : "%ld",
                          a.number);
            out_.WriteText(number);
        }
    }
    out_.WriteText(">", 1);
    LineBreak();
}

void TagWriter::End() {
    if (tag_ == 0) return;
    if (!IsEmptyTag(tag_)) {
        out_.WriteText("</", 2);
        WriteUpper(out_, TagName(tag_));
        out_.WriteText(">", 1);
        LineBreak();
    }
    tag_ = 0;
}
