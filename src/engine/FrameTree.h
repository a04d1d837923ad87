#pragma once
// Framed pages: the frame tree read from a downloaded page, its addresses
// resolved against the page's base, and the comparison of two trees'
// shapes. The tree's nodes are the watch list's frame records.
#include <cstddef>
#include <functional>

#include "framework/AStr.h"
#include "html/HtmlParser.h"
#include "watchlist/FrameNode.h"

class iwstream;
class ItemNode;

// Makes the nodes the builder appends (checks make _HtmlFrameNode).
using FrameFactory = std::function<HtmlFrameNode*()>;

// Canonicalisation flags of frame addresses: no encoding, decoded.
constexpr uint32_t kFrameUrlFlags = 0x30000000;
// A page cannot make the builder nest framesets deeper than this, nor make
// more nodes than kMaxFrameNodes; further frame tags are ignored.
constexpr int kMaxFrameDepth = kMaxTreeDepth - 2;
constexpr size_t kMaxFrameNodes = 256;

// Reads frameset, frame, base and title (and with links on, a) into a tree
// below the root it is given.
class FrameTreeBuilder : public HtmlParser {
  public:
    FrameTreeBuilder(HtmlFrameNode& root, FrameFactory factory, bool withLinks);

    // The href of the page's base element (decoded), empty when none.
    const AStr& PageBase() const { return pageBase_; }
    bool HasPageBase() const { return hasPageBase_; }

  protected:
    int OnStartTag(int tag) override;
    int OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char quote) override;
    int OnStartTagEnd(int tag) override { return 0; }
    int OnHtmlText(const char* text, size_t length) override;
    int OnHtmlEndTag(int tag, int flag) override;

  private:
    // A new node under the current one (the root when there is none); null
    // when the limits are reached.
    HtmlFrameNode* AppendChild();
    HtmlFrameNode* LastChild() const;

    HtmlFrameNode& root_;
    FrameFactory factory_;
    bool withLinks_;
    HtmlFrameNode* current_ = nullptr;
    int currentDepth_ = 0;
    int ignoredFramesets_ = 0;  // framesets opened beyond the depth limit
    bool lastTagMade_ = false;  // the last frame or a tag made a node
    size_t nodes_ = 0;
    bool inTitle_ = false;
    AStr pageBase_;
    bool hasPageBase_ = false;
};

// An address from an attribute with its character references decoded as a
// browser decodes them.
AStr DecodeReferences(const char* text, size_t length);
AStr DecodeReferences(const AStr& text);
// Backslashes turned into slashes up to the first "?".
AStr SlashesBeforeQuery(const char* url);

// Parses the page into the root's tree and sets the root's bases: its base
// is the page's base element when there is one, else the page URL; its
// second base the base element, else secondBase. Returns 0, or -1 when the
// file cannot be opened.
struct FrameTreeArgs {
    const char* pageUrl = "";
    const char* secondBase = "";
    bool withLinks = false;  // the page's links are read as frames too
    FrameFactory factory;    // null: the factory checks use
};
int BuildFrameTree(const char* file, HtmlFrameNode& root, const FrameTreeArgs& args);
int BuildFrameTree(iwstream& in, HtmlFrameNode& root, const FrameTreeArgs& args);
// The factory checks use.
FrameFactory KeptFrameFactory();

// Completes bases and addresses below the node and drops unusable frames:
// those without a source, framesets left without frames, and frames that
// would load their own page or an enclosing one (an ancestor's address, or
// when a frame is given, the address of that frame or of its ancestors).
void ResolveFrames(_HtmlFrameNode& node, bool isRoot, const _HtmlFrameNode* frame);

// True when both trees have the same shape and byte-equal sources.
bool SameFrameStructure(const HtmlFrameNode& a, const HtmlFrameNode& b);

// The address a frame is downloaded from: its source against its own base,
// the nearest ancestor's base or the object's address, without fragment.
// Without a frame, the object's address.
AStr FrameUrl(const ItemNode& object, const _HtmlFrameNode* frame);
