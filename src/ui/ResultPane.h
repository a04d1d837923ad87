#pragma once
// The right pane, child 102: the checks of the current object, newest
// first, each with its changes (pictures from bitmap 3). It stands in until
// the tree view of checks and changes takes its place.
#include <windows.h>

#include "shell/gui/DImageList.h"
#include "shell/gui/DWindow.h"

class ItemNode;

class ResultPane : public DWindow {
public:
    bool Create(HWND parent, int id, HINSTANCE instance);
    // The object whose checks are shown; null empties the pane.
    void Show(ItemNode* object);
    ItemNode* Shown() const { return object_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC dc, const RECT& dirty) override;
    void OnSetFocus(HWND previous) override;

private:
    ItemNode* object_ = nullptr;
    DImageList images_;
};
