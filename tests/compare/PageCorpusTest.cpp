// The comparison of stored copies, from files to records, over a corpus of
// generated and hand-made page pairs in every encoding the builder knows:
// the levels, record texts, links and their order folded into one number.
// The number was taken from the comparison before the builder read pages
// whole, kept attribute values and reference texts in the document's arena
// and searched implied parents pair by pair; any change of outcome shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compare/HtmlComparator.h"
#include "framework/Cp1251.h"
#include "html/Charset.h"
#include "support/TempDir.h"
#include "watchlist/CheckNode.h"

namespace {

const char* const kWords[] = {"market",    "\xF0\xFB\xED\xEE\xEA",
                              "&amp;",     "&nbsp;",
                              "weather",   "&#1087;&#1088;",
                              "&mdash;",   "&copy",
                              "&unknown;", "a&b",
                              "price",     "\xE3\xEE\xF0\xEE\xE4"};

// One paragraph's worth of inline markup and text.
std::string Inline(std::mt19937& rng, int item) {
    std::string out;
    for (int w = 0, n = 2 + static_cast<int>(rng() % 12); w < n; ++w) {
        switch (rng() % 14) {
            case 0:
                out += "<a href='/n/" + std::to_string(item) +
                       ".htm?a=1&amp;b=" + std::to_string(rng() % 9) + "#c'>link " +
                       std::to_string(item) + "</a> ";
                break;
            case 1:
                out += "<a name=\"m" + std::to_string(item) + "\">mark</a> ";
                break;
            case 2:
                out += "<img src=/i" + std::to_string(rng() % 3) + ".gif alt=''> ";
                break;
            case 3:
                out += "<b>bold <i>both</i></b> ";
                break;
            default:
                out += kWords[rng() % 12];
                out += ' ';
        }
    }
    return out;
}

// A page of sections, lists, tables, preformatted text, forms, scripts and
// comments; `change` paragraphs out of a hundred differ by seed.
std::string GeneratedPage(unsigned seed, unsigned variant, int change, const std::string& head) {
    std::mt19937 rng(seed), edits(variant);
    std::string page = "<html><head>" + head +
                       "<title>Corpus</title><script>var s = '<p>x</p>';</script>"
                       "<base href='http://base.example/dir/'></head><body>\n";
    for (int i = 0; i < 120; ++i) {
        std::string text = Inline(rng, i);
        if (static_cast<int>(edits() % 100) < change) text = "changed " + Inline(edits, i);
        switch (i % 9) {
            case 0:
                page += "<h2>Section " + std::to_string(i) + "</h2>\n";
                break;
            case 3:
                page += "<ul><li>" + text + "<li>second</ul>\n";
                continue;
            case 5:
                page += "<table><tr><td>" + text + "<td>cell " + std::to_string(i) +
                        "</tr><tr><th>head<td>" + std::to_string(rng() % 50) + "</table>\n";
                continue;
            case 7:
                page += "<pre>line one\n  " + text + "\nline three</pre>\n";
                continue;
            case 8:
                page += "<form><select><option>one<option>" + text +
                        "</select><input value='v'></form><!-- " + std::to_string(i) + " -->\n";
                continue;
        }
        page += "<p>" + text + "</p>\n";
    }
    return page + "</body></html>\n";
}

struct Pair {
    std::string oldPage, newPage;
    int32_t charset;  // as the check passes it
    bool joinRows;
};

std::vector<Pair> Corpus() {
    std::vector<Pair> pairs;
    const std::vector<std::string> heads = {
        "",
        "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>",
        "<meta charset=koi8-r>",
        "<meta http-equiv=Content-Type content=\"text/html; charset=ibm866\">",
        "<meta charset=windows-1252>",
        "<meta charset=utf-8>"};
    for (unsigned h = 0; h < heads.size(); ++h) {
        for (int change : {0, 3, 40}) {
            std::string oldPage = GeneratedPage(h + 1, 100, 0, heads[h]);
            std::string newPage = GeneratedPage(h + 1, 200 + change, change, heads[h]);
            if (h == 5) {  // the UTF-8 copies carry their Cyrillic as UTF-8
                oldPage = cp1251::ToUtf8(oldPage.data(), oldPage.size());
                newPage = cp1251::ToUtf8(newPage.data(), newPage.size());
            }
            for (int32_t charset : {int32_t{0}, int32_t{1}, int32_t{kCharsetUtf8}})
                pairs.push_back({oldPage, newPage, charset, change == 3});
        }
    }
    // Hand-made pairs: empty, broken and unusual markup.
    const std::vector<std::pair<std::string, std::string>> made = {
        {"", "<p>first text"},
        {"<p>same</p>", "<p>same</p>"},
        {"<a/b>stop", "<p>x<a/b>stop"},
        {"<table><tr><td>a<td>b</table>", "<table><tr><td>a<td>c</table>"},
        {"<p>a &nbsp;&nbsp; b", "<p>a &#160; b &#x41;"},
        {std::string("<p>zero\0byte", 12), std::string("<p>zero\0bytes", 13)},
        {"<p><a href='javascript:x()'>j</a> one", "<p><a href='javascript:x()'>j</a> two"},
        {"<dl><dt>t<dd>d</dl><center>c</center>", "<dl><dt>t<dd>e</dl><center>c</center>"},
        {"<frameset><frame src=a></frameset>", "<noframes><p>no frames</noframes>"},
        {"<p title='" + std::string(3000, 'q') + "'>long", "<p title='x'>long value"},
    };
    for (const auto& m : made) pairs.push_back({m.first, m.second, 0, false});
    return pairs;
}

uint64_t Fold(uint64_t digest, const std::string& bytes) {
    for (unsigned char c : bytes) digest = (digest ^ c) * 1099511628211u;
    return (digest ^ 0xFF) * 1099511628211u;
}

TEST(PageCorpus, ComparisonOutcomesAreThoseOfTheEarlierBuilder) {
    TempDir dir;
    uint64_t digest = 1469598103934665603u;
    int records = 0;
    for (const Pair& pair : Corpus()) {
        std::string oldPath = dir.Write("OLD.HTM", pair.oldPage);
        std::string newPath = dir.Write("NEW.HTM", pair.newPage);
        for (int32_t mode : {1, 2}) {
            ListOf<ChangeNode> results;
            PageComparison what;
            what.oldCopy = {oldPath.c_str(), "http://host/dir/page.htm", pair.charset};
            what.newCopy = {newPath.c_str(), "http://host/dir/page.htm", pair.charset};
            what.mode = mode;
            what.joinTableRows = pair.joinRows;
            digest = Fold(digest, std::to_string(ComparePageCopies(what, &results)));
            for (const ChangeNode* c = results.First(); c; c = c->NextChange(), ++records) {
                digest = Fold(digest, c->text.c_str());
                digest = Fold(digest, c->link.c_str());
            }
        }
    }
    EXPECT_GT(records, 200) << "the corpus should give records to compare";
    EXPECT_EQ(2634163184439418629u, digest);
}

}  // namespace
