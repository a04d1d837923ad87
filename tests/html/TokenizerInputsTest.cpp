// A page is tokenized from memory when it was read whole (the document
// builder) and from a stream elsewhere (titles, charset prescans). Over a
// corpus of generated, hand-made and damaged pages both roads must give the
// same callbacks, texts, positions and result.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "MemoryInput.h"
#include "html/HtmlParser.h"
#include "html/HtmlTables.h"
#include "stream/MemStream.h"

namespace {

// Every typed callback as one line, with the tokenizer's positions; script
// and style contents are skipped raw.
class PathRecorder : public HtmlParser {
  public:
    PathRecorder() : HtmlParser(RawScripts | RawStyles) {}
    std::vector<std::string> events;

  protected:
    int Add(const std::string& e) {
        events.push_back(e + " @" + std::to_string(TagStart()) + "," +
                         std::to_string(TagNameStart()) + "," + std::to_string(AttrNameStart()) +
                         "," + std::to_string(AttrValueStart()) + "," + std::to_string(TagEnd()) +
                         (RawMode() ? " raw" : ""));
        return 0;
    }
    int OnHtmlText(const char* t, size_t n) override { return Add("text " + std::string(t, n)); }
    int OnStartTag(int tag) override { return Add(std::string("start ") + TagName(tag)); }
    int OnHtmlAttribute(int tag, int attr, const char* v, size_t n, char quote) override {
        return Add("attr " + std::to_string(tag) + " " + std::to_string(attr) + "=" +
                   std::string(v, n) + " " + std::to_string(quote));
    }
    int OnStartTagEnd(int tag) override { return Add(std::string("open ") + TagName(tag)); }
    int OnHtmlEndTag(int tag, int flag) override {
        return Add(std::string("end ") + TagName(tag) + " " + std::to_string(flag));
    }
    int OnHtmlComment(const char* t, size_t n) override {
        return Add("comment " + std::string(t, n));
    }
};

struct Outcome {
    int result;
    std::vector<std::string> events;
};

Outcome FromStream(const std::string& page, long block) {
    PathRecorder r;
    MemoryInput in(page, block);
    int rc = r.Parse(in);
    return {rc, r.events};
}

Outcome FromMemory(const std::string& page) {
    PathRecorder r;
    int rc = r.Parse(page.data(), page.size());
    return {rc, r.events};
}

void ExpectSameRoads(const std::string& page, const char* what) {
    Outcome memory = FromMemory(page);
    for (long block : {64L * 1024, 4096L, 7L}) {
        Outcome stream = FromStream(page, block);
        EXPECT_EQ(stream.result, memory.result) << what << ", block " << block;
        EXPECT_EQ(stream.events, memory.events) << what << ", block " << block;
    }
}

// A page of the kind the comparison meets: sections of paragraphs with
// inline markup, references, a table, comments, a script with markup-like
// text and Cyrillic bytes; long enough that texts are cut into pieces.
std::string GeneratedPage(unsigned seed) {
    std::mt19937 rng(seed);
    const char* words[] = {"news",
                           "price",
                           "\xED\xEE\xE2\xEE\xF1\xF2\xE8",
                           "&amp;",
                           "&nbsp;",
                           "weather",
                           "&#1087;",
                           "a<b",
                           "x > y",
                           "\xD0\xB4\xD0\xB0"};
    std::string page =
        "<!DOCTYPE html><html><head><title>Generated</title>"
        "<script>if (a < b && c > d) document.write('<p>no</p>'); // </scrip t></script>"
        "<style>p { color: red }</style></head><body bgcolor=#fff>\n";
    for (int i = 0; i < 300; ++i) {
        if (i % 40 == 0) page += "<div class=\"section\" id='s" + std::to_string(i) + "'>\n";
        page += "<p>";
        for (int w = 0, n = 3 + static_cast<int>(rng() % 40); w < n; ++w) {
            switch (rng() % 12) {
                case 0:
                    page += "<a href='/n/" + std::to_string(rng() % 100) + ".htm'>link</a> ";
                    break;
                case 1:
                    page += "<b>bold</b> ";
                    break;
                case 2:
                    page += "<!-- note " + std::to_string(i) + " --> ";
                    break;
                case 3:
                    page += "<img src=/i.gif alt=\"\" width=1> ";
                    break;
                default:
                    page += words[rng() % 10];
                    page += ' ';
            }
        }
        page += i % 7 == 0 ? std::string(1500, 'L') : std::string();  // a text over one piece
        page += "</p>\n";
        if (i % 60 == 30) page += "<table><tr><td>cell<td>cell</tr></table>\n";
        if (i % 40 == 39) page += "</div>\n";
    }
    return page + "</body></html>\n";
}

TEST(TokenizerInputs, GeneratedPagesGiveTheSameCallbacks) {
    for (unsigned seed = 1; seed <= 4; ++seed) ExpectSameRoads(GeneratedPage(seed), "generated");
}

TEST(TokenizerInputs, HandMadePagesGiveTheSameCallbacks) {
    const std::vector<std::string> pages = {
        "",
        "plain text without markup",
        "<p>a<b>b</b></p",                             // ends inside a tag
        "<!-- a comment that never ends",              // ends inside a comment
        "<!---->x<!--->y<!-- a -- b -->z",             // the comment ends
        "<a/b>after",                                  // the `<a/b>` stop
        "<p title='never closed>text</p>",             // a quote runs to the end
        "<script>a<b</script>c</SCRIPT >d</script>e",  // raw content and its end
        "<style>x</style><p>y",
        "<p a=1 b = \"2\" c d='' e=>t</p>",
        "<br/><br /><hr/x>",
        std::string("<p>zero\0byte</p>", 16),
        "text\r\nwith\rbreaks\n<p\r\nclass=x>y",
        "<" + std::string(3000, 'a') + " " + std::string(3000, 'b') + "='" +
            std::string(3000, 'c') + "'>",
        std::string(5000, '<'),
        std::string(5000, '>'),
        "<!" + std::string(2100, '-') + ">tail",
    };
    for (const std::string& page : pages) ExpectSameRoads(page, page.substr(0, 40).c_str());
}

// Generated pages with bytes changed, cut or repeated at random places, so
// that the roads meet every state at a block edge and at the end.
TEST(TokenizerInputs, DamagedPagesGiveTheSameCallbacks) {
    const std::string page = GeneratedPage(9).substr(0, 6000);
    const char specials[] = "<>/=\"'- \n!";
    std::mt19937 rng(3);
    for (int round = 0; round < 150; ++round) {
        std::string damaged = page;
        for (int k = 0; k < 8; ++k) {
            size_t at = rng() % damaged.size();
            if (rng() % 2)
                damaged[at] = specials[rng() % (sizeof specials - 1)];
            else
                damaged.insert(at, damaged.substr(rng() % damaged.size(), rng() % 30));
        }
        damaged.resize(rng() % damaged.size());
        ExpectSameRoads(damaged, "damaged");
    }
}

}  // namespace
