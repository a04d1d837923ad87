#include "compare/ChangeReport.h"

#include <gtest/gtest.h>

#include <string>

#include "compare/TagWriter.h"
#include "html/HtmlTables.h"
#include "platform/SysColors.h"
#include "compare/ReportColors.h"
#include "stream/MemStream.h"
#include "watchlist/ItemNode.h"

namespace {

class FakeHost : public ReportHost {
  public:
    AStr Text(unsigned id) const override {
        switch (id) {
            case kTextReportCharset:
                return "windows-1251";
            case kTextReportClosing:
                return "End of report";
            case kTextLevel2Note:
                return "(much new)";
            case kTextLevel3Note:
                return "(note 3)";
            default:
                return "";
        }
    }
    AStr CheckTime(uint32_t time) const override { return AStr::Format("T%u", time); }
};

std::string Contents(const omwstream& out) {
    return std::string(out.Data(), out.Size());
}

std::string Report(const ItemNode& object) {
    omwstream out;
    WriteChangeReport(FakeHost(), out, object);
    return Contents(out);
}

std::string Head(const char* title) {
    std::string body = std::string("<BODY BGCOLOR=") + FormatColor(platform::WindowColor());
    body += std::string(" TEXT=") + FormatColor(platform::WindowTextColor()) + " LINK=#000080>\r\n";
    return std::string("<HTML>\r\n<HEAD>\r\n") +
           "<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=utf-8\">\r\n" +
           "<TITLE>\r\n" + title + "</TITLE>\r\n</HEAD>\r\n" + body;
}
const char kTail[] = "<BR>\r\nEnd of report</BR>\r\n</BODY>\r\n</HTML>\r\n";

std::string ChangeBlock(const std::string& line, bool shaded) {
    std::string td = shaded ? std::string("<TD BGCOLOR=") +
                                  FormatColor(DarkerShade(platform::WindowColor())) + ">\r\n"
                            : "<TD>\r\n";
    return "<TR>\r\n" + td + "<TABLE>\r\n<TR>\r\n<TD WIDTH=20>\r\n</TD>\r\n<TD>\r\n" + line +
           "</TD>\r\n</TR>\r\n</TABLE>\r\n</TD>\r\n</TR>\r\n";
}

ItemNode* Page(const char* name, uint32_t color) {
    auto* page = new ItemNode;
    page->properties.name = name;
    page->properties.address = "http://example.test/";
    page->properties.color = color;
    return page;
}

CheckNode* AddCheck(ItemNode& object, uint32_t time, int32_t result) {
    auto* check = new CheckNode(time);
    check->result = result;
    object.checks.Append(check);
    return check;
}

}  // namespace

TEST(ChangeReport, ObjectWithoutChecksGivesAnEmptyTable) {
    ItemNode page;
    page.properties.name = "Weather";
    page.properties.address = "http://example.test/";
    EXPECT_EQ(Head("Weather") + "<TABLE>\r\n</TABLE>\r\n" + kTail, Report(page));
}

TEST(ChangeReport, ChecksChangesLinksAndShading) {
    std::unique_ptr<ItemNode> page(Page("News", 0x00C0C0C0));
    CheckNode* first = AddCheck(*page, 200, 2);
    first->changes.Append(new ChangeNode("Text and link", "http://h/a?x=1&y=2"));
    first->changes.Append(new ChangeNode("", "http://h/b.htm"));
    first->changes.Append(new ChangeNode("Only text", ""));
    first->changes.Append(new ChangeNode("", ""));
    AddCheck(*page, 100, 1);

    std::string expected =
        Head("News") + "<TABLE>\r\n" + "<TR>\r\n<TD BGCOLOR=#C0C0C0>\r\nT200     (much new)" +
        ChangeBlock("<A HREF=\"http://h/a?x=1&amp;y=2\">Text and link</A>", false) +
        ChangeBlock("<A HREF=http://h/b.htm>url=\"http://h/b.htm\"</A>", true) +
        ChangeBlock("Only text", false) + ChangeBlock("", true) + "</TD>\r\n</TR>\r\n" +
        "<TR>\r\n<TD BGCOLOR=#C0C0C0>\r\nT100   </TD>\r\n</TR>\r\n" + "</TABLE>\r\n" + kTail;
    EXPECT_EQ(expected, Report(*page));
}

TEST(ChangeReport, TextsInEitherEncodingAreWrittenAsUtf8) {
    // Name and first text in 1251, the second text and link already UTF-8.
    std::unique_ptr<ItemNode> page(Page("\xCD\xEE\xE2\xEE\xF1\xF2\xE8", 0x00C0C0C0));
    CheckNode* check = AddCheck(*page, 200, 1);
    check->changes.Append(new ChangeNode("\xC4\xEE\xE6\xE4\xFC", ""));
    check->changes.Append(new ChangeNode("Grüße", "http://h/straße"));
    std::string expected = Head("Новости") + "<TABLE>\r\n" +
                           "<TR>\r\n<TD BGCOLOR=#C0C0C0>\r\nT200   " + ChangeBlock("Дождь", false) +
                           ChangeBlock("<A HREF=http://h/straße>Grüße</A>", true) +
                           "</TD>\r\n</TR>\r\n" + "</TABLE>\r\n" + kTail;
    EXPECT_EQ(expected, Report(*page));
}

TEST(ChangeReport, PageTextsCannotInjectMarkup) {
    std::unique_ptr<ItemNode> page(Page("", 0));
    page->title = "<script>x</script>";
    CheckNode* check = AddCheck(*page, 5, 3);
    check->changes.Append(new ChangeNode("a <b>bold</b> & more", "x\" onclick=\"y"));
    check->changes.Append(new ChangeNode("", "<img src=x>"));
    std::string page1 = Report(*page);
    EXPECT_NE(std::string::npos, page1.find("<TITLE>\r\n&lt;script&gt;x&lt;/script&gt;</TITLE>"));
    EXPECT_NE(
        std::string::npos,
        page1.find("<A HREF=\"x&quot; onclick=&quot;y\">a &lt;b&gt;bold&lt;/b&gt; &amp; more</A>"))
        << page1;
    EXPECT_NE(std::string::npos,
              page1.find("<A HREF=\"&lt;img src=x&gt;\">url=\"&lt;img src=x&gt;\"</A>"));
    EXPECT_NE(std::string::npos, page1.find("T5     (note 3)"));
    EXPECT_EQ(std::string::npos, page1.find("<b>"));
}

TEST(ChangeReport, OnlyWebMailAndRelativeLinksStayLive) {
    for (const char* live :
         {"http://a.example/", "HTTPS://a.example/x", "ftp://f.example/", "mailto:a@b.example",
          "page.html", "/abs/path", "?q=a:b", "#top", "dir/a:b.html", "\\\\server\\share", ""})
        EXPECT_TRUE(IsReportableLink(live)) << live;
    for (const char* dead :
         {"javascript:alert(1)", "JavaScript:x", " \t javascript:x", "java\tscript:x",
          "jav\nascript:x", "vbscript:msgbox(1)", "data:text/html,<script>x</script>",
          "file:///etc/passwd", "FILE://c:/x",
          "\x01"
          "data:x",
          "view-source:http://a/", "a b:c"})
        EXPECT_FALSE(IsReportableLink(dead)) << dead;

    std::unique_ptr<ItemNode> page(Page("", 0));
    CheckNode* check = AddCheck(*page, 5, 1);
    check->changes.Append(new ChangeNode("click", "data:text/html,<b>x</b>"));
    check->changes.Append(new ChangeNode("", "vbscript:run"));
    check->changes.Append(new ChangeNode("ok", "http://a.example/"));
    std::string report = Report(*page);
    EXPECT_EQ(std::string::npos, report.find("data:")) << report;
    EXPECT_EQ(std::string::npos, report.find("HREF=vbscript")) << report;
    EXPECT_NE(std::string::npos, report.find("<TD>\r\nclick</TD>")) << report;
    EXPECT_NE(std::string::npos, report.find("<TD>\r\nvbscript:run</TD>")) << report;
    EXPECT_NE(std::string::npos, report.find("<A HREF=http://a.example/>ok</A>")) << report;
}

TEST(ChangeReport, GatheredCopiesShowTheirOwnerAndItsChanges) {
    ItemNode folder;
    folder.properties.flags = kFlagNewsTape;
    ItemNode* page = Page("", 0x000000FF);
    page->title = "Page title";
    folder.Append(page);
    CheckNode* original = AddCheck(*page, 300, 1);
    original->changes.Append(new ChangeNode("from the page", ""));
    CheckNode* copy = AddCheck(folder, 300, 1);
    copy->origin = page;

    std::string report = Report(folder);
    EXPECT_NE(std::string::npos,
              report.find("<TR>\r\n<TD BGCOLOR=#FF0000>\r\nT300   Page title" +
                          ChangeBlock("from the page", false) + "</TD>\r\n</TR>\r\n"))
        << report;
}

TEST(TagWriter, AttributeKindsQuotingAndEnding) {
    omwstream out;
    {
        TagWriter td(out, kTagTd);
        td.Start({TagAttr::Number(kAttrCount - 1, 20), TagAttr::Signed(kAttrHref, 0),
                  TagAttr::Signed(kAttrHref, -3), TagAttr::Bare(kAttrName),
                  TagAttr::String(kAttrSrc, ""), TagAttr::String(kAttrSrc, "a=b"),
                  TagAttr::String(kAttrSrc, "it's"), TagAttr::String(kAttrSrc, "a\tb"),
                  TagAttr::String(kAttrSrc, "#C0C0C0")});
        td.End();
        td.End();
    }
    {
        TagWriter b(out, kTagB);  // inline: no line breaks
        b.Start();
        TagWriter img(out, kTagImg);  // empty element: no end tag
        img.Start();
    }
    EXPECT_EQ(
        "<TD WIDTH=20 HREF=+0 HREF=-3 NAME SRC=\"\" SRC=\"a=b\" SRC=\"it's\" SRC=\"a\tb\" "
        "SRC=#C0C0C0>\r\n</TD>\r\n<B><IMG></B>",
        Contents(out));
}
