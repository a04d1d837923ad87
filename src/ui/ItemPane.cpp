#include "ui/ItemPane.h"

#include "shell/gui/DText.h"
#include "ui/PaneNotify.h"
#include "watchlist/ItemList.h"

namespace {

const wchar_t kItemPaneClass[] = L"OvistoItemPane";

int Depth(const ItemNode* node, const ItemNode* root) {
    int depth = 0;
    for (const ItemNode* p = node->ParentItem(); p && p != root; p = p->ParentItem()) ++depth;
    return depth;
}

}  // namespace

int ItemImage(const ItemNode& node) {
    if (node.IsFolder()) return node.expanded ? 1 : 0;
    if (node.state == -1) return 7;
    if (node.state == 1 || node.state == 2) return 6;
    bool mailbox = node.IsMailbox();
    if (node.HasUnseen()) return mailbox ? 5 : 4;
    return mailbox ? 3 : 2;
}

bool ItemPane::Create(HWND parent, int id, HINSTANCE instance) {
    if (!RegisterWindowClass(instance, kItemPaneClass, CS_DBLCLKS, nullptr, nullptr)) return false;
    images_.Load(instance, 1, 16);
    states_.Load(instance, 2, 16);
    return DWindow::Create(PaneCreateArgs(parent, id, instance, kItemPaneClass));
}

void ItemPane::SetRoot(ItemList* root) {
    root_ = root;
    caret_ = root ? root->FirstItem() : nullptr;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void ItemPane::SetCaret(ItemNode* node) {
    caret_ = node;
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, TRUE);
        SendPaneNotify(Handle(), kPaneSelection, node);
    }
}

std::vector<ItemNode*> ItemPane::Selected() const {
    if (!caret_) return {};
    return {caret_};
}

void ItemPane::RefreshNode(ItemNode&) {
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

std::vector<ItemNode*> ItemPane::Rows() const {
    std::vector<ItemNode*> rows;
    if (!root_) return rows;
    ItemNode* root = root_;
    for (ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) rows.push_back(o);
    return rows;
}

void ItemPane::OnPaint(HDC dc, const RECT&) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    int y = 2;
    bool focused = GetFocus() == Handle();
    for (ItemNode* node : Rows()) {
        int x = 4 + 16 * Depth(node, root_);
        images_.Draw(ItemImage(*node), dc, x, y + 1);
        if (node->IsSwitchedOff()) states_.Draw(2, dc, x, y + 1);
        std::wstring name = WideText(node->DisplayName().c_str());
        SIZE extent{};
        GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
        RECT text{x + 20, y, x + 24 + extent.cx, y + kRowHeight};
        if (node == caret_) {
            FillRect(dc, &text, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        } else {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        }
        text.left += 2;
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        y += kRowHeight;
    }
    SelectObject(dc, font);
}

void ItemPane::OnSetFocus(HWND) {
    InvalidateRect(Handle(), nullptr, FALSE);
    SendPaneNotify(Handle(), kPaneFocus, caret_);
}

LRESULT ItemPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KILLFOCUS:
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(Handle());
            int row = (static_cast<short>(HIWORD(lParam)) - 2) / kRowHeight;
            std::vector<ItemNode*> rows = Rows();
            ItemNode* hit = row >= 0 && row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
            SendPaneNotify(Handle(), message == WM_LBUTTONDOWN ? kPaneClick : kPaneDoubleClick, hit);
            if (hit && hit != caret_) SetCaret(hit);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        default:
            return DWindow::WindowProc(message, wParam, lParam);
    }
}
