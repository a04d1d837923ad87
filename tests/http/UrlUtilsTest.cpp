#include "http/UrlUtils.h"

#include <gtest/gtest.h>

#include <string>

#include "http/UrlCrack.h"

TEST(NormalizeUrl, HostWithBackslashPathGetsHttpAndSlashesButTheQueryKeepsItsBackslash) {
    EXPECT_STREQ("http://www.example.com/dir/page.htm?q=a\\b",
                 NormalizeUrl("www.example.com\\dir\\page.htm?q=a\\b", false).c_str());
}

TEST(NormalizeUrl, BareHostNamesAndUnknownSchemesGetHttp) {
    EXPECT_STREQ("http://example", NormalizeUrl("example", true).c_str());
    EXPECT_STREQ("http://localhost:8080/x", NormalizeUrl("localhost:8080/x", true).c_str());
    EXPECT_STREQ("http://", NormalizeUrl("", true).c_str());
}

TEST(NormalizeUrl, KnownSchemesAreKeptAsTyped) {
    EXPECT_STREQ("http://Example.COM", NormalizeUrl("http://Example.COM", false).c_str());
    EXPECT_STREQ("HTTPS://h.org/a/b", NormalizeUrl("HTTPS://h.org\\a\\b", false).c_str());
    EXPECT_STREQ("ftp://ftp.x.org/pub", NormalizeUrl("ftp://ftp.x.org/pub", false).c_str());
    EXPECT_STREQ("mailto:u:p@pop.x.org:110",
                 NormalizeUrl("mailto:u:p@pop.x.org:110", false).c_str());
}

TEST(NormalizeUrl, LocalDrivePathsBecomeFileUrlsOnlyWhenAllowed) {
    EXPECT_STREQ("file://C:/dir/page.htm", NormalizeUrl("C:\\dir\\page.htm", true).c_str());
    EXPECT_STREQ("C:/dir/page.htm", NormalizeUrl("C:\\dir\\page.htm", false).c_str());
    // Already a file URL: nothing is added.
    EXPECT_STREQ("FILE://C:/dir/page.htm", NormalizeUrl("FILE://C:\\dir\\page.htm", true).c_str());
}

namespace {

// The join of a relative URL with a base; "failed" when the join failed.
std::string Joined(const char* base, const char* relative) {
    AStr out;
    return CombineUrl(base, relative, 0, &out) ? out.c_str() : "failed";
}

}  // namespace

TEST(CombineUrl, ParentStepsResolveAgainstTheBase) {
    EXPECT_EQ("http://h/a/d.htm", Joined("http://h/a/b/c.htm", "../d.htm"));
    EXPECT_EQ("http://h/d.htm", Joined("http://h/a/b/c.htm", "../../d.htm"));
    EXPECT_EQ("http://h/a/b/x/y.htm", Joined("http://h/a/b/", "./x/./y.htm"));
    // Above the root the steps are dropped.
    EXPECT_EQ("http://h/d.htm", Joined("http://h/a/b/c.htm", "../../../d.htm"));
    EXPECT_EQ("http://h/d.htm", Joined("http://h/a/b/c.htm", "/../d.htm"));
}

TEST(CombineUrl, TheCopyDropsAParentStepLeftInTheResult) {
    EXPECT_EQ("http://h/a/d.htm?x=y", Joined("http://h/a/c.htm", "d.htm?x=../y"));
    EXPECT_EQ("http://h/a/d.htm?x=", Joined("http://h/a/c.htm", "d.htm?x=../"));
    // ".." without a slash after it stays.
    EXPECT_EQ("http://h/a/d..e/f.htm", Joined("http://h/a/c.htm", "d..e/f.htm"));
}

TEST(CombineUrl, AbsoluteAndSpecialReferences) {
    EXPECT_EQ("http://other/z.htm", Joined("http://h/a/c.htm", "http://other/z.htm"));
    EXPECT_EQ("http://other/z.htm", Joined("http://h/a/c.htm", "//other/z.htm"));
    EXPECT_EQ("http://h/a/c.htm#frag", Joined("http://h/a/c.htm", "#frag"));
    EXPECT_EQ("mailto:a@b", Joined("http://h/a/c.htm", "mailto:a@b"));
    EXPECT_EQ("http://h/x.htm", Joined("http://h", "x.htm"));
    EXPECT_EQ("http://h/a/d%20e.htm", Joined("http://h/a/c.htm", "d e.htm"));
}

TEST(SplitFragment, SplitsAtTheFirstHash) {
    AStr before, fragment;
    SplitFragment("http://h/p.htm#top#more", &before, &fragment);
    EXPECT_STREQ("http://h/p.htm", before.c_str());
    EXPECT_STREQ("#top#more", fragment.c_str());
    SplitFragment("http://h/p.htm", &before, &fragment);
    EXPECT_STREQ("http://h/p.htm", before.c_str());
    EXPECT_STREQ("", fragment.c_str());
    SplitFragment("#only", &before, nullptr);
    EXPECT_STREQ("", before.c_str());
    SplitFragment("a#b", nullptr, &fragment);
    EXPECT_STREQ("#b", fragment.c_str());
}

TEST(SameUrl, OneMoreTrailingSlashIsTheSameTwoAreNot) {
    EXPECT_TRUE(SameUrl("http://h/x", "http://h/x"));
    EXPECT_TRUE(SameUrl("http://h/x", "http://h/x/"));
    EXPECT_TRUE(SameUrl("http://h/x/", "http://h/x"));
    EXPECT_FALSE(SameUrl("http://h/x", "http://h/x//"));
    EXPECT_FALSE(SameUrl("http://h/x", "http://h/X"));
    EXPECT_FALSE(SameUrl("http://h/x", "http://h/xa"));
    EXPECT_TRUE(SameUrl("", ""));
    EXPECT_TRUE(SameUrl("", "/"));
}

TEST(CrackUrl, SchemesMapToServicesAndPartsAreSplit) {
    CrackedUrl p;
    ASSERT_TRUE(CrackUrl("http://user:pw@Host.org:8080/a/b.htm?q=1", &p));
    EXPECT_EQ(kServiceHttp, p.service);
    EXPECT_STREQ("Host.org", p.host.c_str());
    EXPECT_EQ(8080, p.port);
    EXPECT_STREQ("user", p.user.c_str());
    EXPECT_STREQ("pw", p.password.c_str());
    EXPECT_STREQ("/a/b.htm?q=1", p.path.c_str());
    ASSERT_TRUE(CrackUrl("https://s.org/", &p));
    EXPECT_EQ(kServiceHttps, p.service);
    EXPECT_EQ(443, p.port);
    ASSERT_TRUE(CrackUrl("ftp://f.org/pub", &p));
    EXPECT_EQ(kServiceFtp, p.service);
    ASSERT_TRUE(CrackUrl("gopher://g.org/", &p));
    EXPECT_EQ(kServiceGopher, p.service);
    ASSERT_TRUE(CrackUrl("news:comp.lang", &p));
    EXPECT_EQ(kServiceNews, p.service);
    EXPECT_STREQ("comp.lang", p.path.c_str());
    ASSERT_TRUE(CrackUrl("mailto:user:pass@pop.x.org:110", &p));
    EXPECT_EQ(kServiceMailto, p.service);
    EXPECT_STREQ("", p.host.c_str());
    EXPECT_STREQ("user:pass@pop.x.org:110", p.path.c_str());
    ASSERT_TRUE(CrackUrl("xyz://a/b", &p));
    EXPECT_EQ(kServiceUnknown, p.service);
    EXPECT_FALSE(CrackUrl("www.example.com", &p));
    EXPECT_FALSE(CrackUrl("", &p));
}

TEST(CrackUrl, FileUrlsGiveTheDrivePath) {
    CrackedUrl p;
    ASSERT_TRUE(CrackCanonicalUrl("file:///C:/dir/page.htm", kIcuBrowserMode, &p));
    EXPECT_EQ(kServiceFile, p.service);
    // Windows turns the slashes round; the drive and the name are the same.
    ASSERT_EQ(15u, p.path.Length());
    EXPECT_STREQ("C:", p.path.SubStr(0, 2).c_str());
    EXPECT_STREQ("page.htm", p.path.SubStr(7).c_str());
}
