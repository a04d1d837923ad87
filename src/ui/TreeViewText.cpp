#include "ui/TreeViewText.h"

#include <shlwapi.h>

#include "watchlist/CheckNode.h"
#include "watchlist/ItemNode.h"

COLORREF DarkerBand(COLORREF color) {
    WORD hue = 0, lightness = 0, saturation = 0;
    ColorRGBToHLS(color, &hue, &lightness, &saturation);
    return ColorHLSToRGB(hue, static_cast<WORD>(lightness - lightness / 16), saturation);
}

TreeViewText::TreeViewText() : TreeView(&textRoot), rules_(Model(), textRoot, texts_) {}

TreeViewText::~TreeViewText() {
    rules_.Clear();
    if (bold_) DeleteObject(bold_);
}

bool TreeViewText::Create(HWND parent, int id, HINSTANCE instance) {
    if (!CreateView(parent, id, WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, instance))
        return false;
    images_.Load(instance, 3, TreeViewModel::kIconSize);
    SetImageLists(images_.Handle(), nullptr);
    SetLimit(limit_);
    return true;
}

bool TreeViewText::OnCreate(const CREATESTRUCTW& cs) {
    if (!TreeView::OnCreate(cs)) return false;
    MakeBoldFont();
    return true;
}

void TreeViewText::MakeBoldFont() {
    if (bold_) DeleteObject(bold_);
    bold_ = nullptr;
    LOGFONTW font{};
    if (GetObjectW(Font(), sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectW(&font);
    }
    Model().MetricsChanged();
}

void TreeViewText::SetLimit(size_t limit) {
    limit_ = limit;
    bool wrap = limit == 0;
    SetWrap(wrap);
    SetTips(this, kTipDelayMs, kTipTimeMs, wrap);
}

void TreeViewText::Show(ItemNode* object) {
    ForgetHover();
    bool focused = Handle() && GetFocus() == Handle();
    refilling_ = true;
    rules_.Refill(object, limit_, focused);
    refilling_ = false;
    Changed();
}

void TreeViewText::ForgetCheck(CheckNode& check) {
    ForgetHover();
    rules_.ForgetCheck(check);
    Changed();
}

void TreeViewText::Clear() {
    ForgetHover();
    rules_.Clear();
    Changed();
}

AStr TreeViewText::TipText(TreeViewNode* node) {
    if (ChangeNode* change = ResultPane::ChangeOf(node)) {
        AStr text;
        int image = 0;
        if (ChangeNodeText(*change, 0, &text, &image)) return text;
    }
    return TipHost::TipText(node);
}

HFONT TreeViewText::ClassFont(int nodeClass) {
    return nodeClass == kClassCheck && bold_ ? bold_ : TreeView::ClassFont(nodeClass);
}

void TreeViewText::DrawNodeBackground(HDC dc, const TreeRowView& row, const RECT& full) {
    int left = row.imageLeft >= 0 ? row.imageLeft : row.label.left;
    RECT band{left, full.top, full.right, full.bottom};
    COLORREF color;
    if (row.node->NodeClass() == kClassCheck)
        color = static_cast<const CheckTVN*>(row.node)->Color();
    else if (row.node->NodeClass() == kClassChange && row.oddSibling)
        color = DarkerBand(GetSysColor(COLOR_WINDOW));
    else
        return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
}

COLORREF TreeViewText::NodeTextColor(const TreeViewNode& node, bool selected) {
    if (!selected && node.NodeClass() == kClassChange &&
        static_cast<const ChangeTVN&>(node).HasLink())
        return kLinkColor;
    return TreeView::NodeTextColor(node, selected);
}

void TreeViewText::SelectionChanged() {
    if (refilling_)
        Changed();
    else
        TreeView::SelectionChanged();
}

void TreeViewText::ExpandChanged(TreeViewNode* node) {
    rules_.ExpandChanged(node);
    TreeView::ExpandChanged(node);
}

LRESULT TreeViewText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = TreeView::WindowProc(message, wParam, lParam);
    if (message == WM_SETFONT) {
        MakeBoldFont();
        if (lParam) Changed();
    }
    return result;
}
