#pragma once
// A status bar gadget with one text gadget across its whole width.
#include <windows.h>

#include "framework/AStr.h"
#include "shell/gui/DGadget.h"

class DStatusBar : public DGadget {
  public:
    bool Create(HWND parent, int id, HINSTANCE instance);
    // Lets the bar take its size and place from the parent.
    void Fit();

    // The text it shows (1251).
    AStr Text() const;
    // Writes the text only when it differs from what is shown; true when
    // it was written.
    bool SetText(const AStr& text);
};
