#include <gtest/gtest.h>

#include <string>

#include "DocumentDump.h"
#include "html/HtmlReader.h"

TEST(DocumentBuild, ParagraphsFromPTags) {
    EXPECT_EQ(BuildAndDump("<p>one<p>two"), "html(body(p(P\"one\"{3:$}) p(P\"two\"{3:$})))");
    EXPECT_EQ(BuildAndDump("just text"), "html(body(P\"just text\"{9:$}))");
    EXPECT_EQ(BuildAndDump(""), "");
}

TEST(DocumentBuild, WhiteSpaceCollapses) {
    EXPECT_EQ(BuildAndDump("<p>  a  b\r\n c  </p>"), "html(body(p(P\"a b c\"{5:$})))");
    EXPECT_EQ(BuildAndDump("<table><tr><td>\t x</td>"), "html(body(table(tr(td(P\"x\"{1:$})))))");
    EXPECT_EQ(BuildAndDump("a<br> b"), "html(body(P\"a\"{1:$} br P\"b\"{1:$}))");
    // Text that implies its parents (here a cell) still keeps the
    // space that begins the next piece of text.
    EXPECT_EQ(BuildAndDump("<table><tr>a<b> b</b>"),
              "html(body(table(tr(td(caption(P\"a b\"{3:$}))))))");
    // Marker bytes 1 and 2 become spaces.
    EXPECT_EQ(BuildAndDump("a\1b\2c"), "html(body(P\"a b c\"{5:$}))");
}

TEST(DocumentBuild, PreformattedLinesKeepSpaces) {
    EXPECT_EQ(BuildAndDump("<pre>\nx  y\r\n\tz \n\n</pre>after"),
              "html(body(pre(P\"x  y\"{4:$} P\"\tz \"{3:$}) P\"after\"{5:$}))");
}

TEST(DocumentBuild, ReferencesBecomeStringPositions) {
    EXPECT_EQ(BuildAndDump("x &amp; y"), "html(body(P\"x  y\"{2:&amp; 4:$}))");
    EXPECT_EQ(BuildAndDump("&nbsp;a&foo b&#x41;"),
              "html(body(P\"afoo b#x41;\"{0:&nbsp; 1:& 11:$}))");
    // A reference at the end keeps the space before it.
    EXPECT_EQ(BuildAndDump("a &lt;"), "html(body(P\"a \"{2:&lt; 2:$}))");
}

TEST(DocumentBuild, DivIsABreakBeforeAndAfter) {
    EXPECT_EQ(BuildAndDump("<div>a</div>b"), "html(body(div P\"a\"{1:$} div P\"b\"{1:$}))");
}

TEST(DocumentBuild, UnmatchedEndTagsAreIgnored) {
    EXPECT_EQ(BuildAndDump("a</td>b</table></h1>c"), "html(body(P\"abc\"{3:$}))");
    // A stray </p> breaks like a paragraph.
    EXPECT_EQ(BuildAndDump("a</p>b"), "html(body(P\"a\"{1:$} p P\"b\"{1:$}))");
}

TEST(DocumentBuild, ScriptContentAddsNothing) {
    EXPECT_EQ(BuildAndDump("<p>a<script>x='</p><body>';</script>b<style>p{}</style>c"),
              "html(body(p(P\"abc\"{3:$})))");
}

TEST(DocumentBuild, LinksAndBookmarks) {
    EXPECT_EQ(BuildAndDump("<p>see <a href='u'>x</a> now"),
              "html(body(p(P\"see x now\"{4:<a:u> 5:</a> 9:$})))");
    EXPECT_EQ(BuildAndDump("<a name=top></a>t<a name=''>"), "html(body(P\"t\"{0:#top 1:$}))");
    // A link opened before any paragraph waits for the next one.
    EXPECT_EQ(BuildAndDump("<a href=u><div>x</div></a>y"),
              "html(body(div P\"x\"{0:<a:u> 1:$ 1:</a>} div P\"y\"{1:$}))");
    // A new link ends the open one; a link closed before any paragraph
    // began vanishes.
    EXPECT_EQ(BuildAndDump("<a href=1>a<a href=2>b</a><div><a href=3></a><div>"),
              "html(body(P\"ab\"{0:<a:1> 1:</a> 1:<a:2> 2:</a> 2:$} div div))");
}

TEST(DocumentBuild, InlineObjectsStayInTheirParagraph) {
    EXPECT_EQ(BuildAndDump("<head><meta name=x><link rel=y></head><img src=a>x <img src=b> y"),
              "html(head body(P\"x y\"{2:[img] 3:$}))");
}

TEST(DocumentBuild, HeadAndTitle) {
    EXPECT_EQ(BuildAndDump("<html><head><title>T</title></head><body>b</body></html>"),
              "html(head(title(P\"T\"{1:$})) body(P\"b\"{1:$}))");
    // Body content closes an unclosed head.
    EXPECT_EQ(BuildAndDump("<title>T</title><p>b"),
              "html(head(title(P\"T\"{1:$})) body(p(P\"b\"{1:$})))");
}

TEST(DocumentBuild, TablesAndImpliedStructure) {
    EXPECT_EQ(BuildAndDump("<table><tr><td>a<td>b</table>"),
              "html(body(table(tr(td(P\"a\"{1:$}) td(P\"b\"{1:$})))))");
    // Implied parents: the first chain found, depth first (tr, tbody, table).
    EXPECT_EQ(BuildAndDump("<td>x"), "html(body(table(tbody(tr(td(P\"x\"{1:$}))))))");
    EXPECT_EQ(BuildAndDump("<li>one<li>two"),
              "html(body(ul(li(P\"one\"{3:$}) li(P\"two\"{3:$}))))");
    // Text straight inside a table goes into an implied caption.
    EXPECT_EQ(BuildAndDump("<table>x<tr><td>y</table>"),
              "html(body(table(caption(P\"x\"{1:$}) tr(td(P\"y\"{1:$})))))");
}

TEST(DocumentBuild, SelectOptionsCloseEachOther) {
    EXPECT_EQ(BuildAndDump("<body><select><option>a<option>b</select>c"),
              "html(body(select(option(P\"a\"{1:$}) option(P\"b\"{1:$})) P\"c\"{1:$}))");
    // From an empty stack a select implies its form.
    EXPECT_EQ(BuildAndDump("<select>"), "html(body(form(select)))");
}

TEST(DocumentBuild, EndTagsAndTheGroupMatrix) {
    // </blockquote> closes the p above it (bit 1 of the matrix).
    EXPECT_EQ(BuildAndDump("<blockquote><p>a</blockquote>b"),
              "html(body(blockquote(p(P\"a\"{1:$})) P\"b\"{1:$}))");
    // The search does not pass an entry of a higher group: h1 hides the
    // blockquote, so nothing happens.
    EXPECT_EQ(BuildAndDump("<blockquote><h1>a</blockquote>b"),
              "html(body(blockquote(h1(P\"ab\"{2:$}))))");
    // A start tag closes what the matrix lets it (h1 before blockquote).
    EXPECT_EQ(BuildAndDump("<h1>a<blockquote>b"),
              "html(body(h1(P\"a\"{1:$}) blockquote(P\"b\"{1:$})))");
    // The ul above h1 may not be closed by </h1>: h1 leaves the stack from
    // the middle and ul stays open.
    EXPECT_EQ(BuildAndDump("<h1><li><ul><li>x</h1>y"),
              "html(body(h1(li(ul(li(P\"x\"{1:$}) P\"y\"{1:$})))))");
}

TEST(DocumentBuild, FormEndTagMakesAnEndedForm) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<form>a</form>"));
    EXPECT_EQ(DumpDocument(doc), "html(body(form P\"a\"{1:$} form))");
    Form* first = FirstNodeOf<Form>(&doc.Root());
    ASSERT_NE(nullptr, first);
    EXPECT_FALSE(first->Ended());
    Form* second = NextNodeOf<Form>(first, &doc.Root());
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(second->Ended());
}

TEST(DocumentBuild, AttributesAreKeptOnNodes) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, "<table border=1 width='50%' bogus=x><tr><td>x"));
    Table* table = FirstNodeOf<Table>(&doc.Root());
    ASSERT_NE(nullptr, table);
    EXPECT_STREQ("1", table->AttrValue(AttrId("border", 6)));
    const AttrDescrNode* width = table->FindAttr(AttrId("width", 5));
    ASSERT_NE(nullptr, width);
    EXPECT_STREQ(width->value.c_str(), "50%");
    EXPECT_EQ('\'', width->quote);
    EXPECT_EQ(2u, table->Attrs().Count());
}

TEST(DocumentBuild, BaseAndCharsets) {
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc,
                       "<base href='http://other/'><meta http-equiv=content-type "
                       "content='text/html; charset=koi8-r'>x"));
    EXPECT_EQ(doc.BaseUrl(), "http://other/");
    EXPECT_EQ(3, doc.CharsetCode());
    EXPECT_EQ(204, doc.FontCharset());

    HtmlDocument given;
    ASSERT_EQ(
        0, Build(given, "<meta http-equiv=Content-Type content='text/html; charset=windows-1252'>",
                 2));
    EXPECT_EQ(2, given.CharsetCode());  // the caller's code wins
    EXPECT_EQ(0, given.FontCharset());

    HtmlDocument late;  // a meta inside a paragraph still declares
    ASSERT_EQ(
        0, Build(late, "<p>x<meta http-equiv=Content-Type content='text/html; charset=ibm866'>"));
    EXPECT_EQ(2, late.CharsetCode());
    EXPECT_EQ(204, late.FontCharset());
    EXPECT_EQ(DumpDocument(late), "html(body(p(P\"x\"{1:[meta] 1:$})))");

    HtmlDocument guessed;  // KOI8 text, nothing declared
    ASSERT_EQ(0, Build(guessed, "<p>\xEE\xCF\xD7\xCF\xD3\xD4\xC9 \xC4\xCE\xD1"));
    EXPECT_EQ(3, guessed.CharsetCode());
    EXPECT_EQ(1, guessed.FontCharset());
    EXPECT_EQ(guessed.BaseUrl(), "http://host/dir/page.htm");
}

TEST(DocumentBuild, ABrokenTagIsDroppedAndTheRestOfThePageIsRead) {
    HtmlDocument doc;
    EXPECT_EQ(0, Build(doc, "<p>kept<a/b>read"));
    EXPECT_EQ(DumpDocument(doc), "html(body(p(P\"keptread\"{8:$})))");
    // SQL quoted on a changelog page: the broken tag ends at the next `>`.
    HtmlDocument sql;
    EXPECT_EQ(0, Build(sql, "<p>where (rowid<'2'/x) <b>ok</b><p>next"));
    EXPECT_EQ(DumpDocument(sql), "html(body(p(P\"where (rowidok\"{14:$}) p(P\"next\"{4:$})))");
}

TEST(DocumentBuild, DeepNestingIsCappedAndFreedWithoutRecursion) {
    std::string markup;
    for (int i = 0; i < 100000; ++i) markup += "<blockquote>";
    markup += "deep";
    HtmlDocument* doc = new HtmlDocument;
    ASSERT_EQ(0, Build(*doc, markup, 0, 4096));
    Paragraph* p = FirstParagraph(&doc->Root());
    ASSERT_NE(nullptr, p);
    EXPECT_STREQ("deep", p->Text());
    // At most 1024 elements stay open; deeper ones are closed at once.
    EXPECT_LE(p->Depth(), 1024 + 3);
    EXPECT_GE(p->Depth(), 1000);
    delete doc;
}

TEST(DocumentBuild, HostileEndTagsStayCheap) {
    // Each </h1> finds its h1 behind a ul it may not close, so h1 leaves the
    // stack from the middle; the capped stack keeps every search short.
    std::string markup;
    for (int i = 0; i < 20000; ++i) markup += "<h1><li><ul><li>";
    for (int i = 0; i < 20000; ++i) markup += "</h1>x";
    HtmlDocument doc;
    ASSERT_EQ(0, Build(doc, markup, 0, 4096));
    size_t text = 0;
    for (Paragraph* p = FirstParagraph(&doc.Root()); p; p = NextParagraph(p, &doc.Root()))
        text += p->Length();
    EXPECT_EQ(20000u, text);
}

TEST(DocumentBuild, SecondHeadOrBodyIsIgnored) {
    EXPECT_EQ(BuildAndDump("<head>t<head><title>x</title><body>a<body bgcolor=red>b"),
              "html(head(P\"t\"{1:$} title(P\"x\"{1:$})) body(P\"ab\"{2:$}))");
}

TEST(DocumentBuild, WhiteSpaceBetweenBlocksMakesNoParagraph) {
    // The layout of a real page: every block on its own indented line.
    const std::string page =
        "<html>\n <head>\n  <title>t</title>\n </head>\n <body>\n  <div class=nav>\n   <ul>\n"
        "    <li><a href=a>one</a></li>\n    <li>two</li>\n   </ul>\n  </div>\n  <h1>Head</h1>\n"
        "  <p>text</p>\n  <table>\n   <tr>\n    <td>a</td>\n    <td>b</td>\n   </tr>\n  </table>\n"
        "  <img src=x>\n  <dl>\n   <dt>t</dt>\n   <dd>d</dd>\n  </dl>\n  <hr>\n  <blockquote>\n"
        "   <p>q</p>\n  </blockquote>\n </body>\n</html>\n";
    EXPECT_EQ(BuildAndDump(page),
              "html(head(title(P\"t\"{1:$})) body(div ul(li(P\"one\"{0:<a:a> 3:</a> 3:$}) "
              "li(P\"two\"{3:$})) div "
              "h1(P\"Head\"{4:$}) p(P\"text\"{4:$}) table(tr(td(P\"a\"{1:$}) td(P\"b\"{1:$}))) "
              "dl(dt(P\"t\"{1:$}) dd(P\"d\"{1:$})) hr blockquote(p(P\"q\"{1:$}))))");
    // White space alone, before anything or after a break, opens nothing.
    EXPECT_EQ(BuildAndDump(" \r\n\t "), "");
    EXPECT_EQ(BuildAndDump("<p>a</p>\n \n<br>\n"), "html(body(p(P\"a\"{1:$}) br))");
}

// A built page holds nothing outside its document's arenas: left to them, it
// is gone without a node destroyed (the sanitized build reports anything a
// node kept on the heap as a leak).
TEST(DocumentBuild, ABuiltTreeCanBeLeftToTheArenas) {
    HtmlDocument doc;
    Build(doc,
          "<html><body><p>a &amp; b &copy <a href='x?a=1&amp;b=2' name=n>link</a><a name=m>"
          "<img src=i.gif alt=''><table><tr><td>cell</table><ul><li>item</ul>"
          "<form><select><option>o</select></form><pre>x\ny</pre>",
          1);
    ASSERT_FALSE(doc.Paragraphs().empty());
    ASSERT_FALSE(doc.OuterTables().empty());
    doc.LeaveTreeToArenas();
    EXPECT_EQ(nullptr, doc.Root().FirstChildNode());
    EXPECT_TRUE(doc.Paragraphs().empty());
    EXPECT_TRUE(doc.OuterTables().empty());
    EXPECT_EQ("", DumpDocument(doc));
}
