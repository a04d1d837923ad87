#pragma once
// What the two panes share: how they are made, and what they tell the main
// window: WM_NOTIFY with this record, the pane's child id and one of the
// codes below; `node` is the pane's node the notification is about (an
// ItemNode in the item pane).
#include <windows.h>

#include "shell/gui/DWindow.h"

struct PaneNotify {
    NMHDR header;
    void* node;
};

enum PaneCode : int {
    kPaneClick = -2,          // left click
    kPaneDoubleClick = -3,
    kPaneRightDoubleClick = -6,
    kPaneFocus = -7,          // the pane got the keyboard focus
    kPaneSelection = -401,    // the caret or selection moved
    kPaneExpand = -405,
    kPaneRead = -501,         // the result pane: a change was read
};

// Sends the notification to the pane's parent.
inline LRESULT SendPaneNotify(HWND pane, int code, void* node) {
    PaneNotify n{};
    n.header.hwndFrom = pane;
    n.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(pane));
    n.header.code = static_cast<UINT>(code);
    n.node = node;
    return SendMessageW(GetParent(pane), WM_NOTIFY, n.header.idFrom, reinterpret_cast<LPARAM>(&n));
}

// A pane: a child with both scroll bars and a sunken edge.
inline DCreateArgs PaneCreateArgs(HWND parent, int id, HINSTANCE instance, const wchar_t* className) {
    DCreateArgs args;
    args.exStyle = WS_EX_CLIENTEDGE;
    args.className = className;
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL;
    args.x = args.y = args.width = args.height = 0;
    args.parent = parent;
    args.id = id;
    args.instance = instance;
    return args;
}
