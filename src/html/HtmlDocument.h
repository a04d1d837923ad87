#pragma once
// A page read into the document tree, and the look-ups the comparison uses.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/AStr.h"
#include "framework/Arena.h"
#include "html/HtmlNodes.h"

class iwstream;

class HtmlDocument {
  public:
    HtmlDocument() = default;
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    const HtmlTree& Root() const { return root_; }
    // Leaves the whole tree to the arenas, which give it back at once when
    // the document goes, instead of destroying its nodes one by one; the
    // document is empty afterwards. Only for an owner that knows every node,
    // position, attribute and text of the tree came from this document's
    // arenas and holds nothing else (a page built by BuildDocument and then
    // only compared); anything on the heap would be lost.
    void LeaveTreeToArenas();

    // The tree grows only here, each node as the last child of an open node
    // (so creation order is document order); the document keeps its
    // paragraphs and outermost tables at hand for the comparison, which
    // would otherwise walk every node for them. `withinTable` tells whether
    // `parent` is a table or lies inside one.
    void AppendNode(HtmlNode* parent, HtmlNode* child, bool withinTable);
    // Where the builder makes the document's nodes, positions and
    // attributes, and where the paragraphs' texts grow (see ArenaScope).
    Arena& Memory() { return memory_; }
    Arena& TextMemory() { return textMemory_; }

    // Every paragraph, in document order (paragraphs do not nest).
    const std::vector<Paragraph*>& Paragraphs() const { return paragraphs_; }
    // The tables not inside another table, in document order.
    const std::vector<Table*>& OuterTables() const { return outerTables_; }

    // The character set code the page is written in (set by a successful
    // build): the code given to the build, else a meta declaration's, else
    // the guess from the page text.
    int CharsetCode() const { return charsetCode_; }
    void SetCharsetCode(int code) { charsetCode_ = code; }
    // GDI character set for display: 0 for a declared "windows-1252", 204
    // for "windows-1251", "koi8-r" and "ibm866", else the build's default.
    int FontCharset() const { return fontCharset_; }
    void SetFontCharset(int charset) { fontCharset_ = charset; }
    // What relative links resolve against: the caller's address, replaced by
    // a `base` tag's href.
    const AStr& BaseUrl() const { return baseUrl_; }
    void SetBaseUrl(const char* url) { baseUrl_ = url; }

  private:
    Arena memory_;  // the arenas come before the tree, which they outlive
    Arena textMemory_;
    HtmlTree root_;
    std::vector<Paragraph*> paragraphs_;
    std::vector<Table*> outerTables_;
    int charsetCode_ = 0;
    int fontCharset_ = 0;
    AStr baseUrl_;
};

// Reads one page into `doc`: sets the base URL, tokenizes the stream and
// builds the tree. Returns 0, or -1 when tokenizing failed (a read error or
// the `<a/b>` stop); the tree then keeps what was built.
int BuildDocument(HtmlDocument& doc, iwstream& in, const char* baseUrl, int charsetCode,
                  int defaultFontCharset);
// The same over a page already read whole.
int BuildDocument(HtmlDocument& doc, const std::string& page, const char* baseUrl, int charsetCode,
                  int defaultFontCharset);

// Nodes of class T below `root` (root excluded) in document order, parents
// before children; the walk does not descend into a node it has found.
template <class T>
T* FirstNodeOf(const HtmlNode* root) {
    for (HtmlNode* n = root->FirstChildNode(); n;) {
        if (T* hit = dynamic_cast<T*>(n)) return hit;
        n = n->NextInDocument(root);
    }
    return nullptr;
}

template <class T>
T* NextNodeOf(const HtmlNode* after, const HtmlNode* root) {
    for (HtmlNode* n = after->NextAfterSubtree(root); n;) {
        if (T* hit = dynamic_cast<T*>(n)) return hit;
        n = n->NextInDocument(root);
    }
    return nullptr;
}

template <class T>
T* LastNodeOf(const HtmlNode* root) {
    T* last = nullptr;
    for (T* n = FirstNodeOf<T>(root); n; n = NextNodeOf<T>(n, root)) last = n;
    return last;
}

// Paragraphs in document order.
Paragraph* FirstParagraph(const HtmlNode* root);
Paragraph* NextParagraph(const Paragraph* after, const HtmlNode* root);
// The paragraph before `p` in document order, null for the first.
Paragraph* PrevParagraph(const Paragraph* p, const HtmlNode* root);

// The link open where `p` begins: walking the positions of the paragraphs
// before it backwards, the first link position met, when it is an opening
// one; null when a closing one (or nothing) comes first.
HtmlHRef* LinkOpenAtStart(const Paragraph* p, const HtmlNode* root);
// The first opening link position inside the paragraph, or null.
HtmlHRef* FirstOpeningLink(const ParaText& text);
