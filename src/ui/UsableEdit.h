#pragma once
// An edit control in which Escape closes the property sheet that holds its
// page, as Escape does everywhere else in the sheet: a multi-line edit keeps
// the key for itself otherwise.
#include <windows.h>

class UsableEdit {
  public:
    // Takes over the edit control; the control must outlive nothing but
    // its window (the hook goes with the window).
    static void Attach(HWND edit);

  private:
    static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data);
};
