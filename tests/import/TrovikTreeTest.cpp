// The sibling tool's tree file, built byte by byte for the layouts of its
// versions: names become addresses joined by "/", marked and excluded nodes
// lose their address and empty leaves go; a bad file gives nothing.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "import/SourceReaders.h"
#include "stream/MemStream.h"
#include "watchlist/Bytes.h"

namespace {

struct TrovikNode {
    explicit TrovikNode(std::string n, uint8_t m = 0, uint16_t f = 0)
        : name(std::move(n)), mark(m), flags(f) {}
    std::string name;
    uint8_t mark;
    uint16_t flags;
    int extracts = 0;
    std::vector<TrovikNode> children;
};

Bytes Header(unsigned version) {
    Bytes b;
    b.Raw(std::string(" Orvex Trovik Tree File \x1A \0", 27)).U8('?').U16(version);
    if (version > 2)
        for (int i = 0; i < 6; ++i) b.U32(0xDEAD0000u + i);
    return b;
}

Bytes Extract(unsigned v, bool flagged) {
    Bytes b;
    b.Str("extract").U32(1).U32(2).U16(3).U16(4).U16(5);
    if (v < 10)
        b.U16(6);
    else
        b.U32(6);
    b.Str("more");
    if (v < 4)
        b.U32(7);
    else
        b.U16(7);
    if (v > 6) {
        b.U8(flagged ? 1 : 0);
        if (flagged) {
            b.U32(8);
            if (v > 7) b.Str("tail");
        }
    }
    return b;
}

Bytes Node(unsigned v, const TrovikNode& n) {
    Bytes b;
    if (v < 4)
        b.U32(0x11111111);
    else
        b.U16(0x2222);
    b.U16(v >= 10 ? n.flags : 0x0001);  // W1
    if (v < 10)
        b.U16(n.flags);
    else
        b.U32(0x33333333);  // W2 or a skip
    b.U8(n.mark);
    if (v >= 9) b.U8(0x44);
    b.Str(n.name);
    if (v >= 2) b.Str("s7");
    b.Str("s8");
    if (v > 5) b.Str("s9");
    if (v < 2) b.Str("s10");
    b.Str("s11").U16(0x5555).U16(0x6666).Str("s13");
    if (v > 6) b.U32(0x77777777).U8(0x88);
    b.U16(static_cast<unsigned>(n.extracts));
    for (int i = 0; i < n.extracts; ++i) b.Add(Extract(v, i % 2 == 1));
    b.U16(static_cast<unsigned>(n.children.size()));
    for (const TrovikNode& c : n.children) b.Add(Node(v, c));
    return b;
}

TrovikNode Sample() {
    TrovikNode root("site");
    TrovikNode docs("docs");
    docs.extracts = 2;
    docs.children.push_back(TrovikNode("intro.html"));
    docs.children.push_back(TrovikNode("hidden", 0, 0x0400));  // excluded leaf: goes
    TrovikNode marked("group", 100);
    marked.children.push_back(TrovikNode("a.html"));
    root.children.push_back(docs);
    root.children.push_back(marked);
    root.children.push_back(TrovikNode("loose", 100));  // no address, no children: goes
    return root;
}

bool Read(const std::string& bytes, ImportNode& into) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    ItemProperties defaults;
    defaults.timedelta = 3600;
    return ReadTrovikTree(in, into, defaults);
}

std::string Addresses(const ImportNode& root) {
    std::string out;
    for (const ImportNode* e = root.FirstEntry(); e; e = e->NextInTree(&root))
        out += std::string(e->properties.name.c_str()) + "=" + e->properties.address.c_str() + ";";
    return out;
}

TEST(TrovikTree, EveryVersionReadsTheSameTree) {
    for (unsigned v : {1u, 2u, 3u, 4u, 6u, 7u, 8u, 9u, 10u, 11u}) {
        SCOPED_TRACE(v);
        ImportNode into;
        ASSERT_TRUE(Read(Header(v).Add(Node(v, Sample())).str(), into));
        EXPECT_EQ("docs=site/docs;intro.html=site/docs/intro.html;group=;a.html=site/group/a.html;",
                  Addresses(into));
        EXPECT_EQ(3600u, into.FirstEntry()->properties.timedelta) << "entries take the defaults";
        EXPECT_FALSE(into.FirstEntry()->hasProperties);
        EXPECT_EQ(2u, into.FirstEntry()->extracts);
    }
}

TEST(TrovikTree, ExclusionBitsComeFromTheFlagsWordOfTheVersion) {
    for (uint16_t bit : {0x0040, 0x0400, 0x1000}) {
        TrovikNode root("");
        TrovikNode folder("f", 0, bit);
        folder.children.push_back(TrovikNode("page"));
        root.children.push_back(folder);
        for (unsigned v : {5u, 10u}) {
            ImportNode into;
            ASSERT_TRUE(Read(Header(v).Add(Node(v, root)).str(), into));
            EXPECT_EQ("f=;page=f/page;", Addresses(into))
                << "an empty root name adds no slash; version " << v;
        }
    }
}

TEST(TrovikTree, ForeignHeaderOrCutFileGivesNothing) {
    std::string whole = Header(10).Add(Node(10, Sample())).str();
    std::string foreign = whole;
    foreign[1] = 'o';
    ImportNode into;
    EXPECT_FALSE(Read(foreign, into));
    std::string odd28 = whole;
    odd28[27] = 'X';
    EXPECT_TRUE(Read(odd28, into)) << "the 28th byte is not examined";
    for (size_t cut : {size_t(10), size_t(30), whole.size() / 2, whole.size() - 1}) {
        ImportNode partial;
        EXPECT_FALSE(Read(whole.substr(0, cut), partial)) << cut;
        EXPECT_FALSE(partial.HasChildren()) << cut;
    }
}

TEST(TrovikTree, HostileNestingIsRefused) {
    TrovikNode deep("n");
    TrovikNode* at = &deep;
    for (int i = 0; i < 400; ++i) {
        at->children.push_back(TrovikNode("n"));
        at = &at->children.back();
    }
    ImportNode into;
    EXPECT_FALSE(Read(Header(10).Add(Node(10, deep)).str(), into));
}

}  // namespace
