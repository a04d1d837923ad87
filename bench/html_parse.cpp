// Throughput of the HTML layer on a generated 1 MB page of ordinary markup:
// the tokenizer alone (from a stream and from memory), and the document
// builder on top of it.
#include <benchmark/benchmark.h>

#include <string>

#include "html/HtmlDocument.h"
#include "html/HtmlParser.h"
#include "stream/MemStream.h"

namespace {

// A news portal's front page: head with styles and scripts, a navigation
// table, article teasers with links, entities and Cyrillic text, lists,
// comments and inline scripts, repeated until the page holds 1 MB.
std::string MakePage() {
    std::string page =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html><head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n"
        "<title>\xCD\xEE\xE2\xEE\xF1\xF2\xE8 &mdash; News of the day</title>\n"
        "<style type=\"text/css\">body { font: 12px Arial } td.nav a { color: #036 }</style>\n"
        "<script language=\"JavaScript\">var n = 0; if (n < 3 && n > -1) { n++; }</script>\n"
        "</head>\n<body bgcolor=\"#FFFFFF\" leftmargin=0 topmargin=0>\n";
    int item = 0;
    while (page.size() < 1000000) {
        page += "<table width=\"100%\" border=0 cellpadding=2 cellspacing=0>\n<tr>\n";
        for (int i = 0; i < 6; ++i) {
            page += "  <td class=nav><a href=\"/section/" + std::to_string(i) +
                    ".html\">Section&nbsp;" + std::to_string(i) + "</a></td>\n";
        }
        page += "</tr>\n</table>\n<!-- teasers -->\n";
        for (int i = 0; i < 8; ++i, ++item) {
            std::string n = std::to_string(item);
            page += "<div class=\"teaser\">\n<h3><a href='/news/" + n + ".html' title=\"Story " +
                    n + "\">\xC3\xEB\xE0\xE2\xED\xE0\xFF \xED\xEE\xE2\xEE\xF1\xF2\xFC " + n +
                    "</a></h3>\n<p><img src=\"/img/" + n +
                    ".gif\" width=80 height=60 align=left alt=\"\">"
                    "The council met on Tuesday &amp; agreed to extend the\n"
                    "  programme by another <b>three years</b>; costs rise by 5&nbsp;%.\n"
                    "\xCF\xF0\xE5\xE4\xF1\xE5\xE4\xE0\xF2\xE5\xEB\xFC \xF1\xEA\xE0\xE7\xE0\xEB, "
                    "\xF7\xF2\xEE \xF0\xE5\xF8\xE5\xED\xE8\xE5 &laquo;\xEE\xEA\xEE\xED\xF7"
                    "\xE0\xF2\xE5\xEB\xFC\xED\xEE\xE5&raquo;.\n"
                    "<br><a href=\"/news/" +
                    n +
                    ".html#comments\">Comments (12)</a>"
                    " | <a href=\"/print/" +
                    n + "\">Print</a>\n</div>\n";
        }
        page +=
            "<ul>\n<li><a href=\"/archive\">Archive</a>\n<li>Weather: +5&deg;C\n"
            "<li>&copy; 2001 The Daily\n</ul>\n"
            "<script>document.write('<a href=\"/ad\">ad</a>');</script>\n";
    }
    page += "</body></html>\n";
    return page;
}

const std::string& Page() {
    static const std::string page = MakePage();
    return page;
}

// A buffered stream over the page, as a stored copy is read from its file.
class PageInput : public ibwstream {
  public:
    PageInput() : ibwstream(4096), mem_(Page().data(), static_cast<long>(Page().size())) {
        Attach(&mem_);
    }

  private:
    mwstreambuf mem_;
};

// Counts the callbacks so that nothing is optimised away.
class CountingParser : public HtmlParser {
  public:
    CountingParser() : HtmlParser(0) {}
    long count = 0;

  protected:
    int OnHtmlText(const char*, size_t n) override { return count += static_cast<long>(n), 0; }
    int OnStartTag(int) override { return ++count, 0; }
    int OnHtmlAttribute(int, int, const char*, size_t, char) override { return ++count, 0; }
    int OnStartTagEnd(int) override { return ++count, 0; }
    int OnHtmlEndTag(int, int) override { return ++count, 0; }
};

void BM_Tokenize(benchmark::State& state) {
    for (auto _ : state) {
        PageInput in;
        CountingParser parser;
        benchmark::DoNotOptimize(parser.Parse(in));
        benchmark::DoNotOptimize(parser.count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Page().size()));
}
BENCHMARK(BM_Tokenize)->Unit(benchmark::kMillisecond);

// The builder's road: the page read whole, tokenized where it lies.
void BM_TokenizeFromMemory(benchmark::State& state) {
    for (auto _ : state) {
        CountingParser parser;
        benchmark::DoNotOptimize(parser.Parse(Page().data(), Page().size()));
        benchmark::DoNotOptimize(parser.count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Page().size()));
}
BENCHMARK(BM_TokenizeFromMemory)->Unit(benchmark::kMillisecond);

void BM_BuildDocument(benchmark::State& state) {
    for (auto _ : state) {
        PageInput in;
        HtmlDocument doc;
        benchmark::DoNotOptimize(BuildDocument(doc, in, "http://example.com/", 0, 1));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Page().size()));
}
BENCHMARK(BM_BuildDocument)->Unit(benchmark::kMillisecond);

// The comparison's road: the page already read whole (at its file's size),
// and the tree left to the arenas when the document goes, as the comparison
// leaves it.
void BM_BuildDocumentFromMemory(benchmark::State& state) {
    for (auto _ : state) {
        HtmlDocument doc;
        benchmark::DoNotOptimize(BuildDocument(doc, Page(), "http://example.com/", 0, 1));
        doc.LeaveTreeToArenas();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Page().size()));
}
BENCHMARK(BM_BuildDocumentFromMemory)->Unit(benchmark::kMillisecond);

}  // namespace
