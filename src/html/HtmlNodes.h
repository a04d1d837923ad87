#pragma once
// The document tree: every node is a Tree of child nodes and the TagInfo of
// the tag that made it. Running text lives in Paragraphs (leaves).
#include "framework/Arena.h"
#include "framework/List.h"
#include "html/AttrDescr.h"
#include "html/HtmlTables.h"
#include "html/ParaText.h"

class HtmlNode : public Tree, public TagInfo, public ArenaObject {
  public:
    explicit HtmlNode(int tag) : TagInfo(tag) {}
    // Destroys the subtree without recursion, however deep it is.
    ~HtmlNode() override;

    // Every node of the tree is an HtmlNode, so these need no checked casts.
    HtmlNode* ParentNode() const { return static_cast<HtmlNode*>(static_cast<Tree*>(Owner())); }
    HtmlNode* FirstChildNode() const { return static_cast<HtmlNode*>(First()); }
    HtmlNode* LastChildNode() const { return static_cast<HtmlNode*>(Last()); }
    HtmlNode* NextSiblingNode() const { return static_cast<HtmlNode*>(Next()); }
    HtmlNode* PrevSiblingNode() const { return static_cast<HtmlNode*>(Prev()); }
    void AppendChild(HtmlNode* child) { Append(child); }

    // Pre-order below `root` (root excluded): the next node, or the next
    // one after this node's subtree; null at the end.
    HtmlNode* NextInDocument(const HtmlNode* root) const;
    HtmlNode* NextAfterSubtree(const HtmlNode* root) const;
    // The node before this one in pre-order below `root`; null at root.
    HtmlNode* PrevInDocument(const HtmlNode* root) const;
};

// The root of a document.
class HtmlTree : public HtmlNode {
  public:
    HtmlTree() : HtmlNode(0) {}
};

// Structural elements that only group: html, head, body, frames, table
// sections and columns.
class HtmlDummy : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

class HtmlBlock : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

// p: a block that breaks the text.
class BreakParagraph : public HtmlBlock {
  public:
    BreakParagraph() : HtmlBlock(kTagP) {}
};

class HtmlHeader : public HtmlBlock {
  public:
    using HtmlBlock::HtmlBlock;
};

// center and div.
class LineBreaker : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

class BreakLine : public HtmlNode {
  public:
    BreakLine() : HtmlNode(kTagBr) {}
};

class HorzRuler : public HtmlNode {
  public:
    HorzRuler() : HtmlNode(kTagHr) {}
};

class Form : public HtmlNode {
  public:
    Form() : HtmlNode(kTagForm) {}
    // Made by `</form>`.
    bool Ended() const { return ended_; }
    void SetEnded() { ended_ = true; }

  private:
    bool ended_ = false;
};

class FormControl : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

class SelectOption : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

class ListItem : public HtmlNode, public ParaText {
  public:
    using HtmlNode::HtmlNode;
};

// A run of text: the unit the page comparison works with.
class Paragraph : public HtmlNode, public ParaText {
  public:
    Paragraph() : HtmlNode(kImpliedParagraph) {}
};

class Table : public HtmlNode {
  public:
    Table() : HtmlNode(kTagTable) {}
};

class TableCaption : public HtmlNode {
  public:
    TableCaption() : HtmlNode(kTagCaption) {}
};

class Row : public HtmlNode {
  public:
    Row() : HtmlNode(kTagTr) {}
};

class Cell : public HtmlNode {
  public:
    using HtmlNode::HtmlNode;
};

// The node a block tag (or the implied paragraph) makes; null for inline tags.
HtmlNode* CreateNode(int tag);
