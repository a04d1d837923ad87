#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MemoryInput.h"
#include "html/XmlParser.h"

namespace {

// Writes every callback as one line; optionally stops at a chosen one.
class Recorder : public XmlParser {
  public:
    std::vector<std::string> events;
    std::string stopAt;  // the event that returns 7
    std::string refuse;  // a name AcceptTag refuses
    bool withPositions = false;

  protected:
    int Add(std::string e) {
        events.push_back(e);
        return e == stopAt ? 7 : 0;
    }
    static std::string S(const char* p, size_t n) { return std::string(p, n); }
    std::string Pos() const {
        if (!withPositions) return "";
        return " @" + std::to_string(TagStart()) + "," + std::to_string(TagNameStart()) + "," +
               std::to_string(AttrNameStart()) + "," + std::to_string(AttrValueStart()) + "," +
               std::to_string(TagEnd());
    }
    int OnTagName(const char* n, size_t l) override { return Add("name " + S(n, l) + Pos()); }
    int OnTagClose(const char* n, size_t l) override { return Add("close " + S(n, l) + Pos()); }
    int OnAttribute(const char* t, size_t tl, const char* n, size_t nl, const char* v, size_t vl,
                    char q) override {
        std::string quote = q ? std::string(1, q) : "0";
        return Add("attr " + S(t, tl) + " " + S(n, nl) + "=" + S(v, vl) + " " + quote + Pos());
    }
    int OnEndTag(const char* n, size_t l) override { return Add("end " + S(n, l) + Pos()); }
    bool AcceptTag(const char* n, size_t l) override { return refuse.empty() || S(n, l) != refuse; }
    int OnText(const char* t, size_t l) override {
        EXPECT_EQ(0, t[l]) << "not zero-terminated";
        return Add("text " + S(t, l));
    }
    int OnComment(const char* t, size_t l) override {
        EXPECT_EQ(0, t[l]) << "not zero-terminated";
        return Add("comment " + S(t, l));
    }
    int OnRawChar(unsigned char c) override {
        raw += static_cast<char>(c);
        if (raw.size() >= 3 && raw.compare(raw.size() - 3, 3, "END") == 0) SetRawMode(false);
        return 1;  // ignored
    }

  public:
    std::string raw;
};

using Events = std::vector<std::string>;

// Runs the markup through the buffered reader with whole and tiny blocks,
// through an unbuffered stream and from memory; all must agree.
Events Tokenize(const std::string& markup, int* result = nullptr) {
    Events first;
    int firstResult = 0;
    for (long block : {4096L, 1L, 3L}) {
        Recorder r;
        MemoryInput in(markup, block);
        int rc = r.Parse(in);
        if (block == 4096) {
            first = r.events;
            firstResult = rc;
        } else {
            EXPECT_EQ(first, r.events) << "block " << block;
            EXPECT_EQ(firstResult, rc);
        }
    }
    Recorder plain;
    imwstream in(markup.data(), static_cast<long>(markup.size()));
    EXPECT_EQ(firstResult, plain.Parse(in));
    EXPECT_EQ(first, plain.events) << "unbuffered";
    Recorder memory;
    EXPECT_EQ(firstResult, memory.Parse(markup.data(), markup.size()));
    EXPECT_EQ(first, memory.events) << "from memory";
    if (result) *result = firstResult;
    return first;
}

}  // namespace

TEST(XmlTokenizer, LinkCallbacksInOrder) {
    EXPECT_EQ(Tokenize("<a href='x'>t</a>"),
              (Events{"name a", "attr a href=x '", "close a", "text t", "end a"}));
}

TEST(XmlTokenizer, SelfClosingForms) {
    const Events br{"name br", "close br", "end br"};
    EXPECT_EQ(Tokenize("<br/>"), br);
    EXPECT_EQ(Tokenize("<br />"), br);
    EXPECT_EQ(Tokenize("<a href=x/>"), (Events{"name a", "attr a href=x/ 0", "close a"}));
    EXPECT_EQ(Tokenize("<a x/>"), (Events{"name a", "attr a x/= 0", "close a"}));
}

TEST(XmlTokenizer, ABrokenTagIsDroppedUpToItsEndAndTokenizingGoesOn) {
    int rc = 1;
    EXPECT_EQ(Tokenize("x<a/b>y", &rc), (Events{"text x", "name a", "text y"}));
    EXPECT_EQ(0, rc);
    EXPECT_EQ(Tokenize("<br / >z", &rc), (Events{"name br", "text z"}));
    EXPECT_EQ(0, rc);
    // A quote and a slash in a name, as in SQL shown on a page.
    EXPECT_EQ(Tokenize("(rowid<'2'/x) <i>t</i>", &rc), (Events{"text (rowid", "text t", "end i"}));
    EXPECT_EQ(0, rc);
    // Unfinished at the end of input: nothing more is reported.
    EXPECT_EQ(Tokenize("a<b/c", &rc), (Events{"text a", "name b"}));
    EXPECT_EQ(0, rc);
}

TEST(XmlTokenizer, EmptyTagReportsAnEmptyName) {
    EXPECT_EQ(Tokenize("<>x</>"), (Events{"name ", "close ", "text x", "end "}));
}

TEST(XmlTokenizer, BogusTagsReportNothing) {
    EXPECT_EQ(Tokenize("a < b>c"), (Events{"text a ", "text c"}));
    EXPECT_EQ(Tokenize("<a\"b c=d>x"), (Events{"text x"}));
    EXPECT_EQ(Tokenize("< /p>x"), (Events{"text x"}));
    Recorder r;
    r.refuse = "font";
    MemoryInput in("<font size=2>x</font><b>");
    EXPECT_EQ(0, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"text x", "name b", "close b"}));
}

TEST(XmlTokenizer, EndTagsAndTheirAttributes) {
    EXPECT_EQ(Tokenize("</td x=1>"), (Events{"end td", "attr td x=1 0"}));
    EXPECT_EQ(Tokenize("</a/>"), (Events{"end a"}));
}

TEST(XmlTokenizer, AttributeForms) {
    // White space after a quoted value reports an attribute without a name
    // (the HTML layer drops it).
    EXPECT_EQ(Tokenize("<p a=1 b = \"two words\" c d='>' e=x\"y>"),
              (Events{"name p", "attr p a=1 0", "attr p b=two words \"", "attr p = 0",
                      "attr p c= 0", "attr p d=> '", "attr p = 0", "attr p e=x\"y 0", "close p"}));
    // A quote that opens an attribute name is part of it, up to its match.
    EXPECT_EQ(Tokenize("<p \"a b\" c>"),
              (Events{"name p", "attr p \"a b\"= 0", "attr p c= 0", "close p"}));
    // An unclosed quoted name ends at `>` with an empty value.
    EXPECT_EQ(Tokenize("<p 'ab>x"), (Events{"name p", "attr p 'ab= 0", "close p", "text x"}));
    // A value without a name is dropped; an empty quoted value is reported.
    EXPECT_EQ(Tokenize("<p =v a=''>"), (Events{"name p", "attr p a= '", "close p"}));
    EXPECT_EQ(Tokenize("<p\ta\r\n=\nv>"), (Events{"name p", "attr p a=v 0", "close p"}));
}

TEST(XmlTokenizer, Comments) {
    EXPECT_EQ(Tokenize("<!-->x<!--->y"), (Events{"comment ", "text x", "comment ", "text y"}));
    EXPECT_EQ(Tokenize("<!-- a > b -->"), (Events{"comment  a > b "}));
    EXPECT_EQ(Tokenize("<!---->"), (Events{"comment "}));
    EXPECT_EQ(Tokenize("<!--a-- >-->"), (Events{"comment a-- >"}));
    EXPECT_EQ(Tokenize("<!DOCTYPE html>"),
              (Events{"name !DOCTYPE", "attr !DOCTYPE html= 0", "close !DOCTYPE"}));
}

TEST(XmlTokenizer, LongCommentArrivesInThreePieces) {
    std::string body;
    for (int i = 0; i < 3000; ++i) body += static_cast<char>('a' + i % 26);
    Events e = Tokenize("<!--" + body + "-->");
    ASSERT_EQ(3u, e.size());
    std::string joined;
    for (const std::string& piece : e) {
        ASSERT_EQ(0u, piece.rfind("comment ", 0));
        EXPECT_LE(piece.size() - 8, 1024u);
        joined += piece.substr(8);
    }
    EXPECT_EQ(body, joined);
}

TEST(XmlTokenizer, LongTextArrivesInPiecesOf1024) {
    std::string text(5000, 'x');
    text[0] = 'A';
    text[4999] = 'Z';
    Events e = Tokenize(text);
    ASSERT_EQ(5u, e.size());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(5u + 1024u, e[i].size());
    EXPECT_EQ(5u + 904u, e[4].size());
    EXPECT_EQ("text A", e[0].substr(0, 6));
    EXPECT_EQ('Z', e[4].back());
}

TEST(XmlTokenizer, EndOfInput) {
    EXPECT_EQ(Tokenize("abc"), (Events{"text abc"}));
    EXPECT_EQ(Tokenize("x<a href='y"), (Events{"text x", "name a"}));  // open tag dropped
    EXPECT_EQ(Tokenize("<!-- open"), (Events{"comment  open"}));
    EXPECT_EQ(Tokenize("<!--"), Events{});
    EXPECT_EQ(Tokenize(""), Events{});
}

TEST(XmlTokenizer, ReadFailureGivesMinusOneAndDropsPendingText) {
    FailingBuf buf("hello<b>world", 10);
    ibwstream in(4);
    in.Attach(&buf);
    Recorder r;
    EXPECT_EQ(-1, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"text hello", "name b", "close b"}));
}

TEST(XmlTokenizer, CallbackResultStopsTheRun) {
    Recorder r;
    r.stopAt = "close a";
    MemoryInput in("<a x=1>text<b>");
    EXPECT_EQ(7, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"name a", "attr a x=1 0", "close a"}));

    Recorder t;
    t.stopAt = "text ab";
    MemoryInput tail("ab");
    EXPECT_EQ(7, t.Parse(tail));  // the last piece's result is the run's result
}

TEST(XmlTokenizer, PositionsAreStreamOffsets) {
    Recorder r;
    r.withPositions = true;
    MemoryInput in("xy<ab c='de'>");
    ASSERT_EQ(0, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"text xy", "name ab @2,3,-1,-1,-1", "attr ab c=de ' @2,3,6,9,-1",
                                "close ab @2,3,-1,-1,12"}));
    // Positions count from where the stream stood when Parse began.
    Recorder s;
    s.withPositions = true;
    MemoryInput later("12345<p>");
    char skip[5];
    later.Read(skip, 5);
    ASSERT_EQ(0, s.Parse(later));
    EXPECT_EQ(s.events, (Events{"name p @5,6,-1,-1,-1", "close p @5,6,-1,-1,7"}));
}

TEST(XmlTokenizer, RawModeSendsEveryByteToOnRawChar) {
    Recorder r;
    r.SetRawMode(true);
    MemoryInput in("<b>a</b>END<i>");
    EXPECT_EQ(0, r.Parse(in));
    EXPECT_EQ("<b>a</b>END", r.raw);
    EXPECT_EQ(r.events, (Events{"name i", "close i"}));
}
