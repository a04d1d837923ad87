#pragma once
// Everything the tree view does that needs no screen: the rows of the
// expanded nodes, their word-wrapped heights, hit testing, caret and
// multiple selection, the keyboard, scrolling and the insertion mark. The
// window (shell/gui/TreeView) paints what this model lays out and turns
// mouse and keys into calls here.
//
// Rows are rebuilt lazily (an insertion only marks them stale) and only the
// rows that are looked at or shown are measured; the others count one line
// high until then. Row tops live in a Fenwick tree, so finding the row at a
// height, the top of a row and correcting one row's height are O(log n).
#include <cstddef>
#include <vector>

#include "framework/RowHeights.h"
#include "framework/TextWrap.h"
#include "framework/TreeViewNode.h"

// What the model tells its window.
class TreeViewEvents {
  public:
    virtual ~TreeViewEvents() = default;
    virtual void SelectionChanged() {}
    virtual void ExpandChanged(TreeViewNode*) {}
    virtual void Scrolled() {}
};

struct TreeRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where a point is, as hit-test flags.
enum TreeHit : unsigned {
    kHitNowhere = 0x001,   // below the last node (or no node at all)
    kHitOnIndent = 0x002,  // left of the node's button column
    kHitOnButton = 0x004,  // on the expand button column
    kHitOnStateIcon = 0x008,
    kHitOnIcon = 0x010,
    kHitOnLabel = 0x020,
    kHitOnRight = 0x040,    // right of the label
    kHitUpperHalf = 0x100,  // in the upper half of the node's row
    kHitLowerHalf = 0x200,  // in the lower half
};

struct TreeHitResult {
    TreeViewNode* node = nullptr;
    unsigned flags = kHitNowhere;
};

// One row as the painter sees it, in client coordinates.
struct TreeRowView {
    TreeViewNode* node;
    int depth;  // 0 for the top level shown
    size_t row;
    int top, height;
    int buttonLeft;  // left of the expand button column (indent width wide)
    int stateLeft;   // -1 without state images
    int imageLeft;   // -1 without images
    TreeRect label;  // the label box (text plus padding)
    int oddSibling;  // 1 for the second, fourth, ... child of its parent
};

enum class TreeKey { Up, Down, Home, End, PageUp, PageDown, Left, Right, Space, SelectAll };

class TreeViewModel {
  public:
    static constexpr int kIconSize = 16;
    static constexpr int kLabelPad = 2;  // blank on each side of a label's text
    static constexpr int kMargin = 2;    // left of the first indent column

    explicit TreeViewModel(TreeViewNode* root, TextMeasurer* measurer,
                           TreeViewEvents* events = nullptr);
    ~TreeViewModel();
    TreeViewModel(const TreeViewModel&) = delete;
    TreeViewModel& operator=(const TreeViewModel&) = delete;

    TreeViewNode* Root() const { return root_; }

    // Settings; each marks the layout stale.
    void SetShowRoot(bool show);
    void SetMultiSelect(bool multi) { multiSelect_ = multi; }
    bool MultiSelect() const { return multiSelect_; }
    void SetImages(bool images, bool stateImages);
    void SetIndent(int indent);
    int Indent() const { return indent_; }
    // Word-wrapped labels broken to the client width (never narrower than
    // ten average characters); off: one line per node.
    void SetWrap(bool wrap);
    bool Wrap() const { return wrap_; }
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // The measurer's fonts or metrics changed: every node is measured anew.
    void MetricsChanged();

    // Tree edits. Insert: as last child of parent, or before `before` (a
    // child of parent). Remove: unlinks and destroys the node and its subtree.
    void Insert(TreeViewNode* parent, TreeViewNode* node, TreeViewNode* before = nullptr);
    void Remove(TreeViewNode* node);
    // Destroys every node below the root.
    void RemoveAll();
    void SetText(TreeViewNode* node, const char* text);
    void SetImage(TreeViewNode* node, int image);
    void SetStateImage(TreeViewNode* node, int stateImage);
    // Expands or collapses; collapsing drops the selection of hidden nodes and
    // moves a hidden caret to the node. Notifies when the state changes.
    void Expand(TreeViewNode* node, bool expand);

    // Rows.
    size_t RowCount();
    TreeViewNode* RowNode(size_t row);
    // The node's row, or -1 when it is not shown (an ancestor is collapsed).
    long RowOf(const TreeViewNode* node);
    bool IsShown(const TreeViewNode* node) const;
    int RowTop(size_t row);     // in content coordinates
    int RowHeight(size_t row);  // measures the row
    int ContentHeight();
    int ContentWidth();  // widest label right edge measured so far
    int SingleRowHeight();
    // Calls f(TreeRowView) for each row that meets the client area, top down,
    // measuring them; rows elsewhere are not touched.
    template <class F>
    void ForEachVisibleRow(F f);
    TreeRowView RowView(size_t row);
    // The lines of a measured node: byte ranges of its text.
    const std::vector<uint32_t>& LineStarts(const TreeViewNode* n) const { return n->lineStarts_; }
    // The top of line `line` of a measured row's label: the lines stand one
    // text line apart (the row's height was made of them), centred in the
    // row, which is taller than one line for the icon.
    int LineTop(const TreeRowView& row, size_t line);
    const std::vector<uint32_t>& LineEnds(const TreeViewNode* n) const { return n->lineEnds_; }

    // Geometry.
    TreeHitResult HitTest(int x, int y);
    // The node's row (whole width) or its label, in client coordinates;
    // false when the node is not shown.
    bool NodeRect(TreeViewNode* node, bool labelOnly, TreeRect* rect);
    // Whether the node's label is wider than the client area or cut by it.
    bool FitsInClient(TreeViewNode* node);

    // Scrolling, in pixels; each clamps and reports whether it moved.
    int ScrollX() const { return scrollX_; }
    int ScrollY() const { return scrollY_; }
    int MaxScrollY();
    int MaxScrollX();
    // notify false: a move of the program's own (a refill), not the user's.
    bool ScrollTo(int x, int y, bool notify = true);
    bool ScrollLines(int lines);
    bool ScrollPages(int pages);
    // Wheel deltas (120 a notch) scroll `linesPerNotch` lines a notch;
    // partial deltas add up.
    bool Wheel(int delta, int linesPerNotch = 3);
    // Expands the ancestors and scrolls so the node's row is inside the
    // client area; true when anything moved.
    bool EnsureVisible(TreeViewNode* node);
    // Scrolls so the node's top stands `offset` pixels below the client top.
    bool ScrollNodeTo(TreeViewNode* node, int offset, bool notify = true);

    // Caret and selection.
    TreeViewNode* Caret() const { return caret_; }
    // Moves the caret without touching the selection.
    void SetCaret(TreeViewNode* node, bool ensureVisible = true);
    void Select(TreeViewNode* node, bool select);
    void SelectAll();
    void DeselectAll();
    size_t SelectedCount() const { return selectedCount_; }
    // The selected nodes in tree order.
    std::vector<TreeViewNode*> Selected() const;
    TreeViewNode* FirstSelected() const;
    // A click on a node: alone, Ctrl toggles, Shift extends from the anchor
    // (Ctrl+Shift adds the range).
    void Click(TreeViewNode* node, bool ctrl, bool shift);
    // A key; true when it was one of the tree's keys.
    bool Key(TreeKey key, bool ctrl, bool shift);

    // Insertion mark (while a drag is over the view): before or after a node.
    void SetInsertMark(TreeViewNode* node, bool after);
    TreeViewNode* InsertMarkNode() const { return markNode_; }
    bool InsertMarkAfter() const { return markAfter_; }
    // The mark's y in client coordinates, or -1 when none is shown.
    int InsertMarkY();

  private:
    friend class TreeViewNode;
    void NodeGone(TreeViewNode* node);
    void Attach(TreeViewNode* node);
    void Stale() { rowsStale_ = true; }
    void StaleIfShown(const TreeViewNode* node) {
        if (IsShown(node)) rowsStale_ = true;
    }
    void Remeasure(TreeViewNode* node);
    void BuildRows();
    void Measure(size_t row);
    int Depth(const TreeViewNode* node) const;
    int LabelLeft(int depth) const;
    int HeightFor(int lines);
    void MoveTo(TreeViewNode* target, bool ctrl, bool shift);
    // The row PageDown (down) or PageUp moves the caret to from row cur.
    long PageTarget(bool down, long cur);
    // Left collapses or goes to the parent, Right expands or goes to the
    // first child.
    bool StepAcross(TreeViewNode* caret, bool right, bool ctrl, bool shift);
    // Space: Ctrl toggles the caret's selection, otherwise a click on it.
    void ToggleCaret(TreeViewNode* caret, bool ctrl, bool shift);
    void SelectRange(TreeViewNode* from, TreeViewNode* to, bool keepOthers);
    bool SetSelected(TreeViewNode* node, bool select);
    bool ClampScroll();

    TreeViewNode* root_;
    TextMeasurer* measurer_;
    TreeViewEvents* events_;
    TreeViewEvents noEvents_;
    bool showRoot_ = false;
    bool multiSelect_ = true;
    bool images_ = true, stateImages_ = false;
    bool wrap_ = false;
    int indent_ = 19;
    int clientWidth_ = 0, clientHeight_ = 0;
    uint32_t stamp_ = 1;

    bool rowsStale_ = true;
    std::vector<TreeViewNode*> rows_;
    std::vector<int> depths_;
    std::vector<bool> measured_;
    std::vector<bool> odd_;
    RowHeights heights_;
    int contentWidth_ = 0;

    int scrollX_ = 0, scrollY_ = 0;
    int wheelRest_ = 0;
    TreeViewNode* caret_ = nullptr;
    TreeViewNode* anchor_ = nullptr;
    size_t selectedCount_ = 0;
    TreeViewNode* markNode_ = nullptr;
    bool markAfter_ = false;
};

template <class F>
void TreeViewModel::ForEachVisibleRow(F f) {
    BuildRows();
    size_t n = rows_.size();
    for (size_t row = heights_.RowAt(scrollY_); row < n; ++row) {
        if (heights_.Top(row) - scrollY_ >= clientHeight_) break;
        f(RowView(row));
    }
}
