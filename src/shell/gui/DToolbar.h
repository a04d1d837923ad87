#pragma once
// A toolbar gadget (the common controls' toolbar) filled from one bitmap of
// square cells. The bitmap's black, dark grey, light grey and white become
// the system's text, shadow, face and highlight colours. Tool tips are
// asked of the parent (TTN_GETDISPINFO with the button's command id).
#include <windows.h>

#include <vector>

#include "shell/gui/DGadget.h"

struct DToolButton {
    int image;    // cell index in the bitmap
    int command;  // 0 makes a separator
};

struct DToolbarArgs {
    HWND parent = nullptr;
    int id = 0;
    HINSTANCE instance = nullptr;  // holds the bitmap
    int bitmapId = 0;
    int cellWidth = 16;
    int cellHeight = 16;
    std::vector<DToolButton> buttons;
};

class DToolbar : public DGadget {
  public:
    ~DToolbar() override { Destroy(); }

    bool Create(const DToolbarArgs& args);
    void Destroy() override;
    // Lets the toolbar take its own size from the parent's width.
    void Fit();
    // The buttons' command ids in order (separators left out).
    std::vector<int> Commands() const;
    void EnableButton(int command, bool on);
    void CheckButton(int command, bool on);
    bool IsButtonEnabled(int command) const;

  private:
    HBITMAP bitmap_ = nullptr;
};
