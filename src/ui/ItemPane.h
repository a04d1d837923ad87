#pragma once
// The left pane, child 101: the watch list as indented rows with their
// pictures (bitmap 1). It keeps one caret object, which is also the
// selection; a click moves it. It stands in until the tree view of the
// watch list takes its place, and tells the main window what a tree view
// would (PaneNotify.h).
#include <windows.h>

#include <vector>

#include "shell/gui/DImageList.h"
#include "shell/gui/DWindow.h"

class ItemList;
class ItemNode;

class ItemPane : public DWindow {
public:
    static constexpr int kRowHeight = 18;

    bool Create(HWND parent, int id, HINSTANCE instance);
    // The tree shown; the caret goes to the first top-level object.
    void SetRoot(ItemList* root);
    ItemNode* Caret() const { return caret_; }
    // Moves the caret (and the selection) and tells the parent.
    void SetCaret(ItemNode* node);
    std::vector<ItemNode*> Selected() const;
    // Redraws one object's row (its state, name or marks changed).
    void RefreshNode(ItemNode& node);
    // The rows in display order.
    std::vector<ItemNode*> Rows() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC dc, const RECT& dirty) override;
    void OnSetFocus(HWND previous) override;

private:
    ItemList* root_ = nullptr;
    ItemNode* caret_ = nullptr;
    DImageList images_;
    DImageList states_;
};

// The image of an object's row in bitmap 1 (folder, open folder, page,
// mailbox, page with news, mailbox with news, being checked, failed).
int ItemImage(const ItemNode& node);
