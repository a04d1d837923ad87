#pragma once
// The result pane, child 102: the checks of the current object as bold
// nodes on a band of the object's colour, each with its changes below,
// every second change on a slightly darker band and changes with a link
// in dark blue. With a change-text limit of 0 the texts wrap to the pane
// and a tip shows only what does not fit; otherwise every node has a tip
// after 500 ms. The refill rules live in the portable panes::ResultPane.
#include <cstddef>

#include "panes/PaneNodes.h"
#include "panes/PaneTexts.h"
#include "panes/ResultPane.h"
#include "shell/gui/DImageList.h"
#include "shell/gui/TreeView.h"

class ItemNode;
class CheckNode;

// The root node, made before the view that shows it.
struct TreeViewTextRoot {
    TreeViewRoot textRoot;
};

// The lighter band behind every second change: the colour with its HLS
// lightness reduced by one sixteenth.
COLORREF DarkerBand(COLORREF color);

class TreeViewText : private TreeViewTextRoot, public TreeView {
  public:
    static constexpr COLORREF kLinkColor = RGB(0, 0, 128);
    static constexpr UINT kTipDelayMs = 500;
    static constexpr UINT kTipTimeMs = 20000;

    TreeViewText();
    ~TreeViewText() override;

    bool Create(HWND parent, int id, HINSTANCE instance);
    // The change-text limit; 0 switches to wrapped texts at once.
    void SetLimit(size_t limit);
    size_t Limit() const { return limit_; }
    // Refills the pane with the object's checks (null empties it).
    void Show(ItemNode* object);
    ItemNode* Shown() const { return rules_.Current(); }
    // Before a check record is deleted.
    void ForgetCheck(CheckNode& check);
    // Empties the pane; no object is shown.
    void Clear();

    // TipHost: a change node shows its whole text.
    AStr TipText(TreeViewNode* node) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate(const CREATESTRUCTW& cs) override;
    HFONT ClassFont(int nodeClass) override;
    void DrawNodeBackground(HDC dc, const TreeRowView& row, const RECT& full) override;
    COLORREF NodeTextColor(const TreeViewNode& node, bool selected) override;
    void ExpandChanged(TreeViewNode* node) override;
    // A refill's own selection is no news for the main window.
    void SelectionChanged() override;

  private:
    void MakeBoldFont();

    PaneTexts texts_;
    ResultPane rules_;
    DImageList images_;
    HFONT bold_ = nullptr;
    size_t limit_ = 0;
    bool refilling_ = false;
};
