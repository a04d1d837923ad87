#include <gtest/gtest.h>

#include "http/UrlCrack.h"
#include "http/UrlUtils.h"

// On POSIX an absolute path is what a drive path is on Windows.
TEST(NormalizeUrlPosix, AbsolutePathsBecomeFileUrls) {
    EXPECT_STREQ("file:///home/u/page.htm", NormalizeUrl("/home/u/page.htm", true).c_str());
    EXPECT_STREQ("/home/u/page.htm", NormalizeUrl("/home/u/page.htm", false).c_str());
}

TEST(CrackUrlPosix, FileUrlPathsAreDecodedLocalPaths) {
    CrackedUrl p;
    ASSERT_TRUE(CrackCanonicalUrl("file:///tmp/a%20b.htm", kIcuBrowserMode, &p));
    EXPECT_EQ(kServiceFile, p.service);
    EXPECT_STREQ("/tmp/a b.htm", p.path.c_str());
    ASSERT_TRUE(CrackUrl("file://localhost/tmp/x.htm", &p));
    EXPECT_STREQ("/tmp/x.htm", p.path.c_str());
    ASSERT_TRUE(CrackUrl("/tmp/y.htm", &p));
    EXPECT_EQ(kServiceFile, p.service);
    EXPECT_STREQ("/tmp/y.htm", p.path.c_str());
}

TEST(CombineUrlPosix, RelativeToAFileUrl) {
    AStr out;
    EXPECT_TRUE(CombineUrl("file:///tmp/d/page.htm", "img/x.gif", 0, &out));
    EXPECT_STREQ("file:///tmp/d/img/x.gif", out.c_str());
}

// The query is the library's to keep as it is; the copy after the join
// drops only the first of two parent steps in a row.
TEST(CombineUrlPosix, OfTwoParentStepsInARowOnlyTheFirstIsDropped) {
    AStr out;
    EXPECT_TRUE(CombineUrl("http://h/a/c.htm", "d.htm?x=../../y", 0, &out));
    EXPECT_STREQ("http://h/a/d.htm?x=../y", out.c_str());
    EXPECT_TRUE(CombineUrl("http://h/a/c.htm", "d.htm?x=../../../y", 0, &out));
    EXPECT_STREQ("http://h/a/d.htm?x=../y", out.c_str());  // not "y": no second look
}
