#pragma once
// An owner-drawn drop-down list of colours: each entry is a swatch and the
// colour's name. The dialog that holds it hands its WM_DRAWITEM on.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/AStr.h"

class DColorComboBox {
  public:
    struct Entry {
        COLORREF color;
        AStr name;
    };
    // Fills the combo box (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
    // CBS_HASSTRINGS) with the entries; nothing is selected yet.
    void Attach(HWND combo, std::vector<Entry> entries);
    HWND Handle() const { return combo_; }
    // -1 clears the selection.
    void Select(int index) const;
    // The selected entry, or -1.
    int Selected() const;
    // Paints one entry; false when the message is for another control.
    bool Draw(const DRAWITEMSTRUCT& item) const;

  private:
    HWND combo_ = nullptr;
    std::vector<Entry> entries_;
};
