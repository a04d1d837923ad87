#pragma once
// Building a document from a string and writing its tree as one line:
// a node is its tag name (P for a paragraph) with its children in
// parentheses; a paragraph shows its text in quotes and its positions in
// braces: &amp; for a reference, <a:u> and </a> for a link opening and
// closing, #n for a bookmark, [img] for an object, $ for the end marker.
#include <string>

#include "MemoryInput.h"
#include "html/HtmlDocument.h"

inline std::string DumpPositions(const ParaText& p) {
    std::string out;
    for (const TextPosition* pos = p.Positions().First(); pos; pos = pos->NextPos()) {
        out += out.empty() ? "{" : " ";
        out += std::to_string(pos->Offset()) + ":";
        switch (pos->Kind()) {
            case kStrPosKind:
                out += static_cast<const StrPos*>(pos)->Text().c_str();
                break;
            case kSpecPosKind:
                out += "$";
                break;
            case kBookmarkKind:
                out += "#" + std::string(static_cast<const HtmlBookmark*>(pos)->Name().c_str());
                break;
            case kObjectPosKind:
                out += "[" + std::string(TagName(static_cast<const ObjectPos*>(pos)->Tag())) + "]";
                break;
            case kHRefKind: {
                const HtmlHRef* link = static_cast<const HtmlHRef*>(pos);
                out += link->IsOpening()
                           ? "<a:" + std::string(link->Href() ? link->Href() : "") + ">"
                           : "</a>";
                break;
            }
            default:
                out += "?";
                break;
        }
    }
    return out.empty() ? out : out + "}";
}

inline std::string Dump(const HtmlNode* node) {
    std::string out;
    if (const Paragraph* p = dynamic_cast<const Paragraph*>(node))
        out = "P\"" + std::string(p->Text(), p->Length()) + "\"" + DumpPositions(*p);
    else
        out = TagName(node->Tag());
    if (node->FirstChildNode()) {
        out += "(";
        for (const HtmlNode* c = node->FirstChildNode(); c; c = c->NextSiblingNode()) {
            if (c != node->FirstChildNode()) out += " ";
            out += Dump(c);
        }
        out += ")";
    }
    return out;
}

// The tree below the root.
inline std::string DumpDocument(const HtmlDocument& doc) {
    std::string out;
    for (const HtmlNode* c = doc.Root().FirstChildNode(); c; c = c->NextSiblingNode())
        out += (out.empty() ? "" : " ") + Dump(c);
    return out;
}

inline int Build(HtmlDocument& doc, const std::string& markup, int code = 0, long block = 7) {
    MemoryInput in(markup, block);
    return BuildDocument(doc, in, "http://host/dir/page.htm", code, 1);
}

inline std::string BuildAndDump(const std::string& markup) {
    HtmlDocument doc;
    Build(doc, markup);
    return DumpDocument(doc);
}
