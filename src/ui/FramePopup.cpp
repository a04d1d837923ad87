// The popup menus of the two panes (menus 3 and 4 of the language module):
// trimmed for what is selected, separators pruned, shown at the mouse or,
// from the keyboard, below the first selected node.
#include "ui/FrameWindow.h"  // first: <windows.h> before Lang.h

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "lang/CommandIds.h"
#include "panes/PaneCommands.h"
#include "panes/ResultPane.h"
#include "platform/Lang.h"

namespace {

void ApplyPopupEdits(HMENU popup, const PopupEdits& edits) {
    std::vector<int> positions = edits.removedPositions;
    std::sort(positions.rbegin(), positions.rend());
    for (int at : positions) DeleteMenu(popup, static_cast<UINT>(at), MF_BYPOSITION);
    for (int id : edits.removedIds) DeleteMenu(popup, static_cast<UINT>(id), MF_BYCOMMAND);
    if (edits.defaultId) SetMenuDefaultItem(popup, static_cast<UINT>(edits.defaultId), FALSE);
    std::vector<int> ids;
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
        ids.push_back((info.fType & MFT_SEPARATOR) ? 0 : static_cast<int>(info.wID) | 0x10000);
    }
    for (size_t at : SeparatorsToPrune(ids))
        DeleteMenu(popup, static_cast<UINT>(at), MF_BYPOSITION);
}

}  // namespace

HMENU FrameWindow::PreparePopupMenu(HWND pane) {
    const bool items = pane && pane == itemPane_.Handle();
    if (!items && (!pane || pane != resultPane_.Handle())) return nullptr;
    HMENU bar = static_cast<HMENU>(LoadMenu(items ? MENU_ITEM_POPUP : MENU_RESULT_POPUP));
    if (!bar) return nullptr;
    HMENU popup = GetSubMenu(bar, 0);
    RemoveMenu(bar, 0, MF_BYPOSITION);  // the popup outlives its bar
    DestroyMenu(bar);
    if (!popup) return nullptr;
    PopupEdits edits;
    if (items) {
        std::vector<ItemNode*> selected = itemPane_.Selected();
        edits = ItemPopupEdits(selected.empty() ? nullptr : selected[0]);
    } else {
        TreeViewNode* first = resultPane_.Model().FirstSelected();
        ResultPopupState state;
        state.onRecord = ResultPane::CheckOf(first) || ResultPane::ChangeOf(first);
        state.linkedChange = SelectedLinkedChange();
        state.target = ResultTarget(current_, SelectedCheck());
        edits = ResultPopupEdits(state);
    }
    ApplyPopupEdits(popup, edits);
    return popup;
}

POINT FrameWindow::PopupMenuPoint(HWND pane, POINT screen) {
    if (screen.x != -1 || screen.y != -1) return screen;
    TreeView& view = pane == itemPane_.Handle() ? static_cast<TreeView&>(itemPane_) : resultPane_;
    POINT at;
    TreeRect r;
    TreeViewNode* first = view.Model().FirstSelected();
    if (first && view.Model().NodeRect(first, true, &r)) {
        at = POINT{r.left, r.bottom};
    } else {
        RECT client;
        GetClientRect(pane, &client);
        at = POINT{client.right / 2, client.bottom / 2};
    }
    ClientToScreen(pane, &at);
    return at;
}

void FrameWindow::ShowPopupMenu(HWND pane, POINT screen) {
    HMENU popup = PreparePopupMenu(pane);
    if (!popup) return;
    POINT at = PopupMenuPoint(pane, screen);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    DestroyMenu(popup);
}
