#pragma once
// The framework's tree view control: nodes with text, image and state image
// from 16x16 image lists, expand buttons and lines, multiple selection,
// word-wrapped labels, the insertion mark of a drag, a tip window and the
// notifications to its parent. Layout, selection and keys live in the
// portable TreeViewModel; this window paints the rows the model lays out
// (only those on screen) and turns mouse, keys and scroll bars into calls
// of the model. Painting goes through virtual operations per node class so
// that a pane can draw its own bands.
#include <windows.h>
#include <commctrl.h>

#include "framework/TreeViewModel.h"

class TreeViewTip;

// Notification codes sent to the parent as WM_NOTIFY with a TreeViewNotify.
enum : int {
    kTvnClick = -2,
    kTvnDoubleClick = -3,
    kTvnRightDoubleClick = -6,
    kTvnSetFocus = -7,
    kTvnSelectionChanged = -401,
    kTvnExpandChanged = -403,
    kTvnScrolled = -501,
};

struct TreeViewNotify {
    NMHDR header;
    TreeViewNode* node;  // the node concerned (the caret for a selection change)
};

// What the view asks of its owner for tips.
class TipHost {
  public:
    virtual ~TipHost() = default;
    // The tip of a node; empty for none. The default shows the node's text.
    virtual AStr TipText(TreeViewNode* node);
};

#include "shell/gui/DWindow.h"

class TreeView : public DWindow, public TreeViewEvents, public TextMeasurer, public TipHost {
  public:
    static constexpr const wchar_t* kClassName = L"OvistoTreeView";
    static constexpr UINT_PTR kTipShowTimer = 0x5401;
    static constexpr UINT_PTR kTipHideTimer = 0x5402;

    // The view shows `root`'s subtree; the caller keeps the root alive
    // longer than the view.
    explicit TreeView(TreeViewNode* root);
    ~TreeView() override;

    bool CreateView(HWND parent, int id, DWORD style, DWORD exStyle, HINSTANCE instance);
    TreeViewModel& Model() { return model_; }
    const TreeViewModel& Model() const { return model_; }
    TreeViewNode* Root() const { return root_; }

    // Image lists (not owned); state images are drawn before the image.
    void SetImageLists(HIMAGELIST images, HIMAGELIST stateImages);
    void SetWrap(bool wrap);
    // Tips: shown `delay` ms after the mouse rests on a node and hidden after
    // `timeout` ms; onlyCut shows them only over nodes that do not fit.
    void SetTips(TipHost* host, UINT delay, UINT timeout, bool onlyCut);
    void HideTip();
    // Hides the tip and forgets the node under the mouse: the nodes are
    // about to be destroyed from outside the view (a refill).
    void ForgetHover();
    HWND TipWindow() const;

    // Edits through the model, redrawn.
    void Insert(TreeViewNode* parent, TreeViewNode* node, TreeViewNode* before = nullptr);
    void Remove(TreeViewNode* node);
    void RemoveAll();
    void SetNode(TreeViewNode* node, const char* text, int image, int stateImage);
    void Expand(TreeViewNode* node, bool expand);
    void EnsureVisible(TreeViewNode* node);
    void SetInsertMark(TreeViewNode* node, bool after);
    // Dragging out: when on, moving the mouse past the system's drag
    // distance with the left button pressed on a node calls BeginDrag. A
    // press on a node that is already selected then changes the selection
    // only when the button is let go without a drag, so several selected
    // nodes can be dragged together.
    void SetDragSource(bool on) { dragSource_ = on; }
    // Layout changed from outside (nodes edited through the model): redraw
    // and fit the scroll bars.
    void Changed();

    HFONT Font() const { return font_; }

    // TextMeasurer
    int LineHeight() override;
    int AverageCharWidth() override;
    int Width(int nodeClass, const char* text, size_t n) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate(const CREATESTRUCTW& cs) override;
    void OnDestroy() override;
    void OnSize(UINT type, int width, int height) override;
    void OnTimer(UINT_PTR id) override;

    // Owner drawing per node class. The font a class is drawn and measured in.
    virtual HFONT ClassFont(int nodeClass);
    // Fills the row's background (the whole row is already in the window
    // colour); `row` is the model's row, `full` the row across the pane.
    virtual void DrawNodeBackground(HDC dc, const TreeRowView& row, const RECT& full);
    // The label's text colour and, for a selected node, its fill.
    virtual COLORREF NodeTextColor(const TreeViewNode& node, bool selected);
    virtual void DrawLabel(HDC dc, const TreeRowView& row);
    // A drag of the selection begins on `node` (see SetDragSource).
    virtual void BeginDrag(TreeViewNode*) {}

    // TreeViewEvents: each ends in a notification to the parent.
    void SelectionChanged() override;
    void ExpandChanged(TreeViewNode* node) override;
    void Scrolled() override;
    void Notify(int code, TreeViewNode* node);

  private:
    void Paint(HDC dc, const RECT& area);
    void DrawRow(HDC dc, const TreeRowView& row);
    void DrawButtonAndLines(HDC dc, const TreeRowView& row);
    void UpdateScrollBars();
    void OnScroll(int bar, int code);
    void OnButtonDown(UINT message, WPARAM keys, int x, int y);
    void OnMouseMove(int x, int y);
    // The press that may become a drag: follows the mouse with the button down.
    void FollowPress(WPARAM keys, int x, int y);
    void EndPress();
    bool OnKeyDown(WPARAM key);
    void ShowTip();
    HDC MeasureDc();

    TreeViewNode* root_;
    TreeViewModel model_;
    HFONT font_ = nullptr;
    int lineHeight_ = 16, avgChar_ = 7;
    HDC measureDc_ = nullptr;
    HIMAGELIST images_ = nullptr, stateImages_ = nullptr;
    TipHost* tipHost_ = nullptr;
    UINT tipDelay_ = 500, tipTimeout_ = 20000;
    bool tipOnlyCut_ = false;
    TreeViewNode* hoverNode_ = nullptr;
    TreeViewTip* tip_ = nullptr;
    bool inEvent_ = false;
    bool dragSource_ = false;
    TreeViewNode* pressNode_ = nullptr;  // the node pressed on, compared only (may be gone)
    POINT pressAt_{};
    bool deferredClick_ = false;
};
