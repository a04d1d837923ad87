// The frame tree read from framed pages: shape, sources, bases, addresses.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/FrameTree.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"
#include "watchlist/ItemNode.h"

namespace {

std::unique_ptr<_HtmlFrameNode> Build(const std::string& page,
                                      const char* url = "http://site/dir/page.html",
                                      const _HtmlFrameNode* frame = nullptr) {
    auto root = std::make_unique<_HtmlFrameNode>();
    root->address = url;
    imwstream in(page.data(), static_cast<long>(page.size()));
    FrameTreeArgs args;
    args.pageUrl = url;
    EXPECT_EQ(0, BuildFrameTree(in, *root, args));
    ResolveFrames(*root, true, frame);
    return root;
}

std::string Addresses(const _HtmlFrameNode& root) {
    std::string out;
    for (const _HtmlFrameNode* n = root.NextInTree(&root); n; n = n->NextInTree(&root)) {
        if (!out.empty()) out += " ";
        out += n->source.IsEmpty() ? "[set]" : n->address.c_str();
    }
    return out;
}

}  // namespace

TEST(FrameTree, APageWithoutFramesYieldsARootWithoutChildren) {
    auto root =
        Build("<html><head><title>Plain</title></head><body><p>text <a href=x.html>x</a></body>");
    EXPECT_FALSE(root->HasChildren());
    EXPECT_STREQ("Plain", root->title.c_str());
    EXPECT_STREQ("http://site/dir/page.html", root->base.c_str());
}

TEST(FrameTree, FramesAreResolvedAgainstThePageAndKeepNameAndAttributes) {
    auto root = Build(
        "<title>Set</title><frameset cols=\"20%,*\"><frame name=menu src=\"menu.html\" "
        "scrolling=no>"
        "<frame name=\"main\" src=\"/top/main.html?a=1&amp;b=2\"></frameset>");
    ASSERT_EQ(2u, root->Count());
    EXPECT_EQ("http://site/dir/menu.html http://site/top/main.html?a=1&b=2", Addresses(*root));
    EXPECT_STREQ("menu", root->FirstFrame()->name.c_str());
    EXPECT_STREQ("main", root->FirstFrame()->NextFrame()->name.c_str());
    EXPECT_STREQ("/top/main.html?a=1&b=2", root->FirstFrame()->NextFrame()->sourceCopy.c_str());
    EXPECT_EQ(3u, root->FirstFrame()->attributes.Count()) << "name, src and scrolling";
    EXPECT_EQ(1u, root->attributes.Count()) << "the frameset's cols";
    EXPECT_STREQ("Set", root->title.c_str());
}

TEST(FrameTree, FramesWithoutSourceOrLoadingTheirOwnPageAreDropped) {
    auto self = Build("<frameset><frame src=\"page.html\"></frameset>");
    EXPECT_FALSE(self->HasChildren())
        << "a frameset whose only frame is the page itself is a plain page";
    auto noSrc = Build("<frameset><frame name=a><frame src=b.html></frameset>");
    EXPECT_EQ("http://site/dir/b.html", Addresses(*noSrc));
    auto empty =
        Build("<frameset><frameset><frame name=x></frameset><frame src=c.html></frameset>");
    EXPECT_EQ("http://site/dir/c.html", Addresses(*empty))
        << "a nested frameset with nothing to load goes";
}

TEST(FrameTree, AFrameLoadingAnEnclosingFrameOfTheCheckIsDropped) {
    _HtmlFrameNode outer;
    outer.address = "http://site/outer.html";
    auto* checked = new _HtmlFrameNode;
    checked->address = "http://site/dir/inner.html";
    outer.Append(checked);
    auto root = Build("<frameset><frame src=\"/outer.html\"><frame src=\"leaf.html\"></frameset>",
                      "http://site/dir/inner.html", checked);
    EXPECT_EQ("http://site/dir/leaf.html", Addresses(*root));
}

TEST(FrameTree, FragmentsAreNotDownloadedAndNestedFramesUseTheNearestBase) {
    auto root = Build(
        "<base href=\"http://other/base/\"><frameset><frame src=\"a.html#part\">"
        "<frameset><frame src=\"sub/b.html\"></frameset></frameset>");
    EXPECT_EQ("http://other/base/a.html [set] http://other/base/sub/b.html", Addresses(*root));
    EXPECT_STREQ("http://other/base/", root->secondBase.c_str());
    auto plain = Build("<frameset><frameset><frame src=\"x\\y.html\"></frameset></frameset>");
    EXPECT_EQ("[set] http://site/dir/x/y.html", Addresses(*plain));

    ItemNode object;
    object.properties.address = "http://site/dir/page.html";
    const _HtmlFrameNode* frame = root->FirstFrame();
    EXPECT_STREQ("http://other/base/a.html", FrameUrl(object, frame).c_str());
    EXPECT_STREQ("http://site/dir/page.html", FrameUrl(object, nullptr).c_str());
}

TEST(FrameTree, FrameUrlFallsBackToTheObjectAddressWhenNoBaseIsKept) {
    ItemNode object;
    object.properties.address = "http://site/dir/page.html";
    _HtmlFrameNode root;
    auto* frame = new _HtmlFrameNode;
    frame->source = "left.html#top";
    root.Append(frame);
    EXPECT_STREQ("http://site/dir/left.html", FrameUrl(object, frame).c_str());
}

TEST(FrameTree, SameStructureComparesShapeAndSources) {
    const std::string page =
        "<frameset><frame src=a.html><frameset><frame src=b.html></frameset></frameset>";
    auto a = Build(page);
    auto b = Build(page);
    EXPECT_TRUE(SameFrameStructure(*a, *b));
    EXPECT_FALSE(
        SameFrameStructure(*a, *Build("<frameset><frame src=a.html><frameset><frame src=c.html>"
                                      "</frameset></frameset>")));
    EXPECT_FALSE(SameFrameStructure(*a, *Build("<frameset><frame src=a.html></frameset>")));
    EXPECT_FALSE(SameFrameStructure(*Build("<frameset><frame src=a.html></frameset>"), *a));
    EXPECT_FALSE(
        SameFrameStructure(*a, *Build("<frameset><frame src=A.html><frameset><frame src=b.html>"
                                      "</frameset></frameset>")))
        << "sources are compared byte for byte";
}

TEST(FrameTree, LinksModeReadsAnchorsAsFrames) {
    _HtmlFrameNode root;
    const std::string page =
        "<p><a href=\"one.html\">1</a> <a name=x>no</a> <a href=\"two.html\">2</a>";
    imwstream in(page.data(), static_cast<long>(page.size()));
    FrameTreeArgs args;
    args.pageUrl = "http://site/";
    args.secondBase = "http://second/";
    args.withLinks = true;
    BuildFrameTree(in, root, args);
    ASSERT_EQ(3u, root.Count());
    EXPECT_STREQ("one.html", root.FirstFrame()->source.c_str());
    EXPECT_STREQ("http://second/", root.secondBase.c_str());
}

TEST(FrameTree, HostilePagesAreBoundedInDepthAndCount) {
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<frameset>";
    deep += "<frame src=deep.html>";
    auto root = Build(deep);
    int depth = 0;
    for (const _HtmlFrameNode* n = root.get(); n; n = n->FirstFrame()) ++depth;
    EXPECT_LE(depth, kMaxFrameDepth + 2);

    std::string wide = "<frameset>";
    for (int i = 0; i < 5000; ++i) wide += "<frame src=f" + std::to_string(i) + ".html>";
    EXPECT_LE(Build(wide)->Count(), kMaxFrameNodes);
}

TEST(FrameTree, AMissingFileIsReported) {
    TempDir dir;
    _HtmlFrameNode root;
    FrameTreeArgs args;
    args.pageUrl = "http://x/";
    EXPECT_EQ(-1, BuildFrameTree(dir.File("none.htm").c_str(), root, args));
}

TEST(FrameTree, FrameAddressesAreDecodedAsABrowserDecodesThem) {
    EXPECT_EQ(AStr("a.htm?x=1&y=2&copy=3"), DecodeReferences("a.htm?x=1&amp;y=2&copy=3", 24));
    EXPECT_EQ(AStr("b.htm?\xA9"), DecodeReferences(AStr("b.htm?&copy;")));
    EXPECT_EQ(AStr("c&d"), DecodeReferences(AStr("c&d")));
}
