#pragma once
// A vertical separator between two panes: a thin child window the user
// drags sideways. When the drag ends it tells its parent by the command of
// its own child id with notification code 100 (kMovedCode); the parent
// reads the new place with Position and lays its panes out again.
#include <windows.h>

#include "shell/gui/DWindow.h"

class DWindowSeparator : public DWindow {
  public:
    static constexpr int kMovedCode = 100;

    bool Create(HWND parent, int id, HINSTANCE instance);
    // The middle of the separator in the parent's client coordinates.
    int Position() const;
    // Moves the separator (as a drag would) without telling the parent.
    void MoveTo(int middle);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int id_ = 0;
    bool dragging_ = false;
    int grip_ = 0;  // where in the separator the drag took hold
};
