#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryInput.h"
#include "html/HtmlParser.h"
#include "html/HtmlTables.h"

namespace {

using Events = std::vector<std::string>;

class TypedRecorder : public HtmlParser {
  public:
    explicit TypedRecorder(uint8_t options) : HtmlParser(options) {}
    Events events;
    int stopAtStartTag = 0;

  protected:
    int OnHtmlText(const char* t, size_t n) override {
        events.push_back("text " + std::string(t, n));
        return 0;
    }
    int OnStartTag(int tag) override {
        events.push_back(std::string("start ") + TagName(tag));
        return tag == stopAtStartTag ? 9 : 0;
    }
    int OnHtmlAttribute(int tag, int attr, const char* v, size_t n, char q) override {
        events.push_back(std::string("attr ") + TagName(tag) + " " + AttrName(attr) + "=" +
                         std::string(v, n) + (q ? std::string(" ") + q : ""));
        return 0;
    }
    int OnStartTagEnd(int tag) override {
        events.push_back(std::string("startend ") + TagName(tag));
        return 0;
    }
    int OnHtmlEndTag(int tag, int flag) override {
        events.push_back(std::string("end ") + TagName(tag) + " " + std::to_string(flag));
        return 0;
    }
    int OnHtmlComment(const char* t, size_t n) override {
        events.push_back("comment " + std::string(t, n));
        return 0;
    }
};

Events Typed(const std::string& markup, uint8_t options, int* result = nullptr) {
    TypedRecorder r(options);
    MemoryInput in(markup, 5);
    int rc = r.Parse(in);
    if (result) *result = rc;
    return r.events;
}

const uint8_t kAllRaw = HtmlParser::RawScripts | HtmlParser::RawStyles;

}  // namespace

TEST(HtmlTokenizer, MapsKnownNamesAndDropsOthers) {
    EXPECT_EQ(Typed("<A HREF='x' foo=1 Name=n>t</a><blah x=1>u</blah>", 0),
              (Events{"start a", "attr a href=x '", "attr a name=n", "startend a", "text t",
                      "end a 0", "text u"}));
    // `<>` reaches nobody; end tag attributes come with tag 0.
    EXPECT_EQ(Typed("<>x</p align=left>", 0), (Events{"text x", "end p 0", "attr  align=left"}));
}

TEST(HtmlTokenizer, RawScriptSkipsContentUpToItsEndTag) {
    EXPECT_EQ(Typed("<script>if(a<b)x='</p>';</SCRIPT><p>y", kAllRaw),
              (Events{"start script", "start p", "startend p", "text y"}));
    // Without the option the script is tokenized like any element.
    EXPECT_EQ(Typed("<script>a</script>", 0),
              (Events{"start script", "startend script", "text a", "end script 0"}));
}

TEST(HtmlTokenizer, DoubledOpeningBracketHidesTheTerminator) {
    EXPECT_EQ(Typed("<script>x<</script>y</script>z", kAllRaw), (Events{"start script", "text z"}));
}

TEST(HtmlTokenizer, RawOptionsAreSeparate) {
    EXPECT_EQ(Typed("<style>p{}</style><applet>a</applet>", HtmlParser::RawScripts),
              (Events{"start style", "startend style", "text p{}", "end style 0", "start applet"}));
    EXPECT_EQ(Typed("<style>p{}</style>x", HtmlParser::RawStyles),
              (Events{"start style", "text x"}));
}

TEST(HtmlTokenizer, RawModeLastsAcrossParseCalls) {
    TypedRecorder r(kAllRaw);
    MemoryInput first("<script>var a = '");
    ASSERT_EQ(0, r.Parse(first));
    EXPECT_EQ(kTagScript, r.RawElement());
    MemoryInput second("</b>';</script>after");
    ASSERT_EQ(0, r.Parse(second));
    EXPECT_EQ(0, r.RawElement());
    EXPECT_EQ(r.events, (Events{"start script", "text after"}));
}

TEST(HtmlTokenizer, EnterRawElementBuildsTheTerminator) {
    TypedRecorder r(0);
    r.EnterRawElement(kTagTitle, false);
    EXPECT_TRUE(r.RawMode());
    MemoryInput in("a</title>b<TITLE>c");
    ASSERT_EQ(0, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"text c"}));
    r.EnterRawElement(kTagXmp, true);
    r.EnterRawElement(0, false);
    EXPECT_FALSE(r.RawMode());
    EXPECT_EQ(0, r.RawElement());
}

TEST(HtmlTokenizer, CallbackResultIsReturned) {
    int rc = 0;
    TypedRecorder r(0);
    r.stopAtStartTag = kTagB;
    MemoryInput in("<i>x<b>y");
    EXPECT_EQ(9, r.Parse(in));
    EXPECT_EQ(r.events, (Events{"start i", "startend i", "text x", "start b"}));
    Typed("<a/b>", 0, &rc);
    EXPECT_EQ(0, rc) << "a broken tag is dropped, not a stop";
}

TEST(HtmlTokenizer, SelfClosingUnknownAndCommentForwarding) {
    EXPECT_EQ(Typed("<br/><!-- c --><x/>", 0),
              (Events{"start br", "startend br", "end br 0", "comment  c "}));
}

TEST(HtmlParser1Test, NotesImagesAndTitles) {
    HtmlParser1 p;
    MemoryInput in("<script><img></script><title>t</title>");
    ASSERT_EQ(0, p.Parse(in));
    EXPECT_TRUE(p.HasTitle());
    EXPECT_FALSE(p.HasImage());
    HtmlParser1 q;
    MemoryInput img("<p><IMG src=x>");
    ASSERT_EQ(0, q.Parse(img));
    EXPECT_TRUE(q.HasImage());
    EXPECT_FALSE(q.HasTitle());
    HtmlParser1 b;
    MemoryInput bg("<body background='sky.gif'>");
    ASSERT_EQ(0, b.Parse(bg));
    EXPECT_TRUE(b.HasImage());
}
