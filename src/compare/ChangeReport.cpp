#include "compare/ChangeReport.h"

#include <string>

#include "compare/ReportColors.h"
#include "compare/TagWriter.h"
#include "framework/Cp1251.h"
#include "html/HtmlTables.h"
#include "platform/SysColors.h"
#include "stream/WStream.h"
#include "watchlist/ItemNode.h"

namespace {

// Texts of the system are 1251 or UTF-8 (pages and mail outside the Cyrillic
// encodings); the page is UTF-8 throughout, by the display rule.
void WriteShownText(owstream& out, const char* text) {
    WriteEscapedText(out, cp1251::ForDisplay(text).c_str());
}

enum : int {
    kAttrBgcolor = 14,
    kAttrLink = 71,
    kAttrText = 132,
    kAttrWidth = 148,
};
// The colour in which the result pane draws links.
constexpr uint32_t kLinkColor = 0x00800000;  // RGB(0, 0, 128)

// A gathered copy's original record: the owner's check of the same time.
const CheckNode& SourceOf(const CheckNode& check) {
    if (!check.origin) return check;
    for (CheckNode* c = check.origin->checks.First(); c; c = c->NextCheck())
        if (c->time == check.time) return *c;
    return check;
}

AStr OwnerName(const ItemNode& owner) {
    return owner.properties.name.IsEmpty() ? owner.title : owner.properties.name;
}

void WriteChangeLine(owstream& out, const ChangeNode& change) {
    bool hasText = !change.text.IsEmpty(), hasLink = !change.link.IsEmpty();
    if (!hasLink) {
        WriteShownText(out, change.text.c_str());
        return;
    }
    if (!IsReportableLink(change.link.c_str())) {
        WriteEscapedText(out, hasText ? change.text.c_str() : change.link.c_str());
        return;
    }
    TagWriter a(out, kTagA);
    const std::string link = cp1251::ForDisplay(change.link.c_str());
    a.Start({TagAttr::String(kAttrHref, link.c_str())});
    if (hasText) {
        WriteShownText(out, change.text.c_str());
    } else {
        out.WriteText("url=\"");
        WriteEscapedText(out, link.c_str());
        out.WriteText("\"");
    }
}

void WriteChange(owstream& out, const ChangeNode& change, bool shaded) {
    TagWriter row(out, kTagTr), cell(out, kTagTd);
    row.Start();
    if (shaded)
        cell.Start(
            {TagAttr::String(kAttrBgcolor, FormatColor(DarkerShade(platform::WindowColor())))});
    else
        cell.Start();
    TagWriter table(out, kTagTable), innerRow(out, kTagTr);
    table.Start();
    innerRow.Start();
    {
        TagWriter indent(out, kTagTd);
        indent.Start({TagAttr::Number(kAttrWidth, 20)});
    }
    TagWriter content(out, kTagTd);
    content.Start();
    WriteChangeLine(out, change);
}

void WriteCheck(const ReportHost& host, owstream& out, const ItemNode& object,
                const CheckNode& check) {
    const ItemNode& owner = check.origin ? *check.origin : object;
    TagWriter row(out, kTagTr), cell(out, kTagTd);
    row.Start();
    cell.Start({TagAttr::String(kAttrBgcolor, FormatColor(owner.properties.color))});

    AStr header = host.CheckTime(check.time);
    header += "   ";
    if (check.origin) header += OwnerName(owner);
    if (check.result == 2 || check.result == 3) {
        header += "  ";
        header += host.Text(check.result == 2 ? kTextLevel2Note : kTextLevel3Note);
    }
    WriteShownText(out, header.c_str());

    int position = 0;
    for (ChangeNode* c = SourceOf(check).changes.First(); c; c = c->NextChange())
        WriteChange(out, *c, (position++ & 1) != 0);
}

}  // namespace

bool IsReportableLink(const char* link) {
    static const char* const kSchemes[] = {"http", "https", "ftp", "mailto"};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(link ? link : "");
    while (*p && *p <= ' ') ++p;  // browsers drop leading blanks and control bytes
    std::string scheme;
    for (; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == '?' || *p == '#') return true;  // relative
        if (*p == '\t' || *p == '\n' || *p == '\r') continue;  // dropped inside a URL as well
        if (*p == ':') break;
        scheme += static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p + 32 : *p);
    }
    if (!*p) return true;  // no colon: relative
    for (const char* allowed : kSchemes)
        if (scheme == allowed) return true;
    return false;
}

void WriteChangeReport(const ReportHost& host, owstream& out, const ItemNode& object) {
    TagWriter html(out, kTagHtml);
    html.Start();
    {
        TagWriter head(out, kTagHead);
        head.Start();
        TagWriter(out, kTagMeta)
            .Start({TagAttr::String(kAttrHttpEquiv, "Content-Type"),
                    TagAttr::String(kAttrContent, "text/html; charset=utf-8")});
        out.WriteNewLine();
        TagWriter title(out, kTagTitle);
        title.Start();
        WriteShownText(out, object.DisplayName().c_str());
    }
    TagWriter body(out, kTagBody);
    AStr background(FormatColor(platform::WindowColor()));
    AStr text(FormatColor(platform::WindowTextColor()));
    body.Start({TagAttr::String(kAttrBgcolor, background.c_str()),
                TagAttr::String(kAttrText, text.c_str()),
                TagAttr::String(kAttrLink, FormatColor(kLinkColor))});
    {
        TagWriter table(out, kTagTable);
        table.Start();
        for (CheckNode* c = object.checks.First(); c; c = c->NextCheck())
            WriteCheck(host, out, object, *c);
    }
    TagWriter br(out, kTagBr);
    br.Start();
    out.WriteText(cp1251::ForDisplay(host.Text(kTextReportClosing).c_str()).c_str());
}
