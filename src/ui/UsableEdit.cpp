#include "ui/UsableEdit.h"

#include <commctrl.h>

namespace {
const UINT_PTR kHookId = 0x5553;  // "US"
}

void UsableEdit::Attach(HWND edit) {
    if (edit) SetWindowSubclass(edit, Proc, kHookId, 0);
}

LRESULT CALLBACK UsableEdit::Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam != VK_ESCAPE) break;
            // The page is the edit's parent and the sheet the page's.
            if (HWND sheet = GetParent(GetParent(edit)))
                PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return 0;
        case WM_CHAR:
            if (wParam == VK_ESCAPE) return 0;  // no beep, no WM_CLOSE to the page
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, Proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}
