#include "shell/gui/TreeView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "framework/Cp1251.h"

namespace {

// A window of the view made small at the origin; it is placed later.
DCreateArgs SmallWindowArgs(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent,
                            int id, HINSTANCE instance) {
    DCreateArgs args;
    args.exStyle = exStyle;
    args.className = className;
    args.style = style;
    args.x = args.y = 0;
    args.width = args.height = 10;
    args.parent = parent;
    args.id = id;
    args.instance = instance;
    return args;
}

}  // namespace

// ---- the tip window ----

class TreeViewTip : public DWindow {
  public:
    static constexpr const wchar_t* kClassName = L"OvistoTreeTip";

    bool Show(HWND owner, HFONT font, const AStr& text, POINT at, int maxWidth, RECT within) {
        text_ = cp1251::DisplayUtf16(text.c_str(), text.Length());
        font_ = font;
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        if (!Handle()) {
            RegisterWindowClass(instance, kClassName, CS_SAVEBITS, nullptr, nullptr);
            if (!Create(SmallWindowArgs(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName,
                                        WS_POPUP | WS_BORDER, owner, 0, instance)))
                return false;
        }
        HDC dc = GetDC(Handle());
        HGDIOBJ old = SelectObject(dc, font_);
        RECT r{0, 0, std::max(maxWidth - 8, 40), 0};
        DrawTextW(dc, Wide(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        int w = r.right + 8, h = r.bottom + 4;
        // Within the pane's width.
        int x = std::max(static_cast<int>(within.left),
                         std::min(static_cast<int>(at.x), static_cast<int>(within.right) - w));
        SetWindowPos(Handle(), HWND_TOPMOST, x, at.y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(Handle(), nullptr, TRUE);
        return true;
    }
    void Hide() {
        if (Handle()) ShowWindow(Handle(), SW_HIDE);
    }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
            HGDIOBJ old = SelectObject(dc, font_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            InflateRect(&r, -4, -2);
            DrawTextW(dc, Wide(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, old);
            EndPaint(Handle(), &ps);
            return 0;
        }
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        return DWindow::WindowProc(message, wParam, lParam);
    }

  private:
    const wchar_t* Wide() const { return reinterpret_cast<const wchar_t*>(text_.c_str()); }
    std::u16string text_;
    HFONT font_ = nullptr;
};

AStr TipHost::TipText(TreeViewNode* node) {
    return node ? node->Text() : AStr();
}

// ---- the view ----

TreeView::TreeView(TreeViewNode* root) : root_(root), model_(root, this, this) {}

TreeView::~TreeView() {
    delete tip_;
    Destroy();
    if (measureDc_) DeleteDC(measureDc_);
}

bool TreeView::CreateView(HWND parent, int id, DWORD style, DWORD exStyle, HINSTANCE instance) {
    if (!RegisterWindowClass(instance, kClassName, CS_DBLCLKS, nullptr, nullptr)) return false;
    return Create(SmallWindowArgs(exStyle, kClassName, style | WS_CHILD, parent, id, instance));
}

bool TreeView::OnCreate(const CREATESTRUCTW&) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    model_.MetricsChanged();
    return true;
}

void TreeView::OnDestroy() {
    HideTip();
    if (tip_) tip_->Destroy();
}

HDC TreeView::MeasureDc() {
    if (!measureDc_) measureDc_ = CreateCompatibleDC(nullptr);
    return measureDc_;
}

HFONT TreeView::ClassFont(int) {
    return font_;
}

int TreeView::LineHeight() {
    HDC dc = MeasureDc();
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW tm;
    if (GetTextMetricsW(dc, &tm)) {
        lineHeight_ = tm.tmHeight;
        avgChar_ = std::max(1, static_cast<int>(tm.tmAveCharWidth));
    }
    SelectObject(dc, old);
    return lineHeight_;
}

int TreeView::AverageCharWidth() {
    LineHeight();
    return avgChar_;
}

int TreeView::Width(int nodeClass, const char* text, size_t n) {
    std::u16string wide = cp1251::DisplayUtf16(text, n);
    HDC dc = MeasureDc();
    HGDIOBJ old = SelectObject(dc, ClassFont(nodeClass));
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(wide.c_str()),
                          static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

void TreeView::SetImageLists(HIMAGELIST images, HIMAGELIST stateImages) {
    images_ = images;
    stateImages_ = stateImages;
    model_.SetImages(images != nullptr, stateImages != nullptr);
    Changed();
}

void TreeView::SetWrap(bool wrap) {
    model_.SetWrap(wrap);
    HideTip();
    Changed();
}

void TreeView::SetTips(TipHost* host, UINT delay, UINT timeout, bool onlyCut) {
    tipHost_ = host;
    tipDelay_ = delay;
    tipTimeout_ = timeout;
    tipOnlyCut_ = onlyCut;
    HideTip();
}

HWND TreeView::TipWindow() const {
    return tip_ ? tip_->Handle() : nullptr;
}

void TreeView::HideTip() {
    if (Handle()) {
        KillTimer(Handle(), kTipShowTimer);
        KillTimer(Handle(), kTipHideTimer);
    }
    if (tip_) tip_->Hide();
}

void TreeView::ForgetHover() {
    hoverNode_ = nullptr;
    HideTip();
}

void TreeView::Changed() {
    if (!Handle()) return;
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TreeView::Insert(TreeViewNode* parent, TreeViewNode* node, TreeViewNode* before) {
    model_.Insert(parent, node, before);
    Changed();
}

void TreeView::Remove(TreeViewNode* node) {
    if (node == hoverNode_ || (node && node->IsAncestorOf(hoverNode_))) {
        hoverNode_ = nullptr;
        HideTip();
    }
    model_.Remove(node);
    Changed();
}

void TreeView::RemoveAll() {
    hoverNode_ = nullptr;
    HideTip();
    model_.RemoveAll();
    Changed();
}

void TreeView::SetNode(TreeViewNode* node, const char* text, int image, int stateImage) {
    model_.SetText(node, text);
    model_.SetImage(node, image);
    model_.SetStateImage(node, stateImage);
    Changed();
}

void TreeView::Expand(TreeViewNode* node, bool expand) {
    model_.Expand(node, expand);
    Changed();
}

void TreeView::EnsureVisible(TreeViewNode* node) {
    model_.EnsureVisible(node);
    Changed();
}

void TreeView::SetInsertMark(TreeViewNode* node, bool after) {
    if (node == model_.InsertMarkNode() && after == model_.InsertMarkAfter()) return;
    model_.SetInsertMark(node, after);
    Changed();
}

// ---- notifications ----

void TreeView::Notify(int code, TreeViewNode* node) {
    HWND parent = GetParent(Handle());
    if (!parent) return;
    TreeViewNotify n{};
    n.header.hwndFrom = Handle();
    n.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Handle()));
    n.header.code = static_cast<UINT>(code);
    n.node = node;
    SendMessageW(parent, WM_NOTIFY, n.header.idFrom, reinterpret_cast<LPARAM>(&n));
}

void TreeView::SelectionChanged() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    Notify(kTvnSelectionChanged, model_.Caret());
}

void TreeView::ExpandChanged(TreeViewNode* node) {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    Notify(kTvnExpandChanged, node);
}

void TreeView::Scrolled() {
    HideTip();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    Notify(kTvnScrolled, nullptr);
}

// ---- scrolling ----

void TreeView::UpdateScrollBars() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, model_.ContentHeight() - 1);
    si.nPage = static_cast<UINT>(model_.ClientHeight());
    si.nPos = model_.ScrollY();
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    si.nMax = std::max(0, model_.ContentWidth() - 1);
    si.nPage = static_cast<UINT>(model_.ClientWidth());
    si.nPos = model_.ScrollX();
    SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
}

void TreeView::OnScroll(int bar, int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), bar, &si);
    int line = model_.SingleRowHeight();
    int page = bar == SB_VERT ? model_.ClientHeight() - line : model_.ClientWidth() - 20;
    int pos = bar == SB_VERT ? model_.ScrollY() : model_.ScrollX();
    switch (code) {
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= std::max(page, line);
            break;
        case SB_PAGEDOWN:
            pos += std::max(page, line);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = si.nTrackPos;
            break;
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = 1 << 30;
            break;
        default:
            return;
    }
    if (bar == SB_VERT)
        model_.ScrollTo(model_.ScrollX(), pos);
    else
        model_.ScrollTo(pos, model_.ScrollY());
    UpdateScrollBars();
}

void TreeView::OnSize(UINT, int width, int height) {
    model_.SetClientSize(width, height);
    HideTip();
    Changed();
}

// ---- mouse and keys ----

void TreeView::OnButtonDown(UINT message, WPARAM keys, int x, int y) {
    if (GetFocus() != Handle()) SetFocus(Handle());
    HideTip();
    TreeHitResult hit = model_.HitTest(x, y);
    bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            if (hit.node && (hit.flags & kHitOnButton) && hit.node->HasChildren()) {
                model_.Expand(hit.node, !hit.node->IsExpanded());
            } else if (hit.node) {
                deferredClick_ = dragSource_ && hit.node->IsSelected() && !ctrl && !shift;
                if (!deferredClick_) model_.Click(hit.node, ctrl, shift);
                model_.EnsureVisible(hit.node);
                pressNode_ = dragSource_ ? hit.node : nullptr;
                pressAt_ = POINT{x, y};
            }
            Notify(kTvnClick, hit.node);
            break;
        case WM_LBUTTONDBLCLK:
            if (hit.node && !(hit.flags & kHitOnButton) && hit.node->HasChildren())
                model_.Expand(hit.node, !hit.node->IsExpanded());
            Notify(kTvnDoubleClick, hit.node);
            break;
        case WM_RBUTTONDOWN:
            if (hit.node && !hit.node->IsSelected()) model_.Click(hit.node, false, false);
            break;
        case WM_RBUTTONDBLCLK:
            Notify(kTvnRightDoubleClick, hit.node);
            break;
    }
    Changed();
}

void TreeView::FollowPress(WPARAM keys, int x, int y) {
    if (!pressNode_) return;
    // Compared, never followed: the node may have gone since the press.
    if (!(keys & MK_LBUTTON) || model_.HitTest(pressAt_.x, pressAt_.y).node != pressNode_) {
        pressNode_ = nullptr;
        deferredClick_ = false;
        return;
    }
    if (std::abs(x - pressAt_.x) <= GetSystemMetrics(SM_CXDRAG) &&
        std::abs(y - pressAt_.y) <= GetSystemMetrics(SM_CYDRAG))
        return;
    TreeViewNode* node = pressNode_;
    pressNode_ = nullptr;
    deferredClick_ = false;
    HideTip();
    BeginDrag(node);
}

void TreeView::EndPress() {
    if (pressNode_ && deferredClick_ && model_.HitTest(pressAt_.x, pressAt_.y).node == pressNode_) {
        model_.Click(pressNode_, false, false);
        Changed();
    }
    pressNode_ = nullptr;
    deferredClick_ = false;
}

void TreeView::OnMouseMove(int x, int y) {
    TreeHitResult hit = model_.HitTest(x, y);
    TreeViewNode* node =
        hit.flags & (kHitOnLabel | kHitOnIcon | kHitOnStateIcon) ? hit.node : nullptr;
    if (node == hoverNode_) return;
    hoverNode_ = node;
    HideTip();
    if (!node || !tipHost_) return;
    if (tipOnlyCut_) {
        if (!model_.FitsInClient(node)) ShowTip();
    } else {
        SetTimer(Handle(), kTipShowTimer, tipDelay_, nullptr);
    }
}

void TreeView::ShowTip() {
    KillTimer(Handle(), kTipShowTimer);
    if (!hoverNode_ || !tipHost_) return;
    AStr text = tipHost_->TipText(hoverNode_);
    if (text.IsEmpty()) return;
    TreeRect label;
    if (!model_.NodeRect(hoverNode_, true, &label)) return;
    RECT pane;
    GetWindowRect(Handle(), &pane);
    POINT at{label.left, label.bottom};
    ClientToScreen(Handle(), &at);
    if (!tip_) tip_ = new TreeViewTip;
    if (tip_->Show(Handle(), ClassFont(hoverNode_->NodeClass()), text, at, pane.right - pane.left,
                   pane))
        SetTimer(Handle(), kTipHideTimer, tipTimeout_, nullptr);
}

void TreeView::OnTimer(UINT_PTR id) {
    if (id == kTipShowTimer)
        ShowTip();
    else if (id == kTipHideTimer)
        HideTip();
}

// The tree's keys; false for any other key.
bool TreeView::OnKeyDown(WPARAM wParam) {
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    TreeKey key;
    switch (wParam) {
        case VK_UP:
            key = TreeKey::Up;
            break;
        case VK_DOWN:
            key = TreeKey::Down;
            break;
        case VK_HOME:
            key = TreeKey::Home;
            break;
        case VK_END:
            key = TreeKey::End;
            break;
        case VK_PRIOR:
            key = TreeKey::PageUp;
            break;
        case VK_NEXT:
            key = TreeKey::PageDown;
            break;
        case VK_LEFT:
            key = TreeKey::Left;
            break;
        case VK_RIGHT:
            key = TreeKey::Right;
            break;
        case VK_SPACE:
            key = TreeKey::Space;
            break;
        case 'A':
            if (!ctrl) return false;
            key = TreeKey::SelectAll;
            break;
        default:
            return false;
    }
    HideTip();
    model_.Key(key, ctrl, shift);
    Changed();
    return true;
}

LRESULT TreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc, ps.rcPaint);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT r;
            GetClientRect(Handle(), &r);
            Paint(reinterpret_cast<HDC>(wParam), r);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            font_ = wParam ? reinterpret_cast<HFONT>(wParam)
                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            model_.MetricsChanged();
            if (lParam) Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_VSCROLL:
            OnScroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            if (lines == WHEEL_PAGESCROLL)
                lines = std::max(1, model_.ClientHeight() / model_.SingleRowHeight());
            if (model_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), static_cast<int>(lines)))
                UpdateScrollBars();
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            OnButtonDown(message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            FollowPress(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            EndPress();
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            return DefaultProc(message, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            Changed();
            Notify(kTvnSetFocus, model_.Caret());
            return 0;
        case WM_KILLFOCUS:
            HideTip();
            Changed();
            return 0;
        default:
            break;
    }
    return DWindow::WindowProc(message, wParam, lParam);
}

// ---- painting ----

void TreeView::Paint(HDC target, const RECT& area) {
    RECT client;
    GetClientRect(Handle(), &client);
    int w = std::max(1, static_cast<int>(client.right)),
        h = std::max(1, static_cast<int>(client.bottom));
    // Drawn off screen, then copied: no flicker while scrolling.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    model_.ForEachVisibleRow([&](const TreeRowView& row) {
        if (row.top + row.height > area.top && row.top < area.bottom) DrawRow(dc, row);
    });
    int markY = model_.InsertMarkY();
    if (markY >= 0) {
        TreeRect label;
        model_.NodeRect(model_.InsertMarkNode(), true, &label);
        RECT mark{label.left, std::max(0, markY - 1), w, markY + 1};
        FillRect(dc, &mark, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
           area.left, area.top, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void TreeView::DrawNodeBackground(HDC, const TreeRowView&, const RECT&) {}

COLORREF TreeView::NodeTextColor(const TreeViewNode&, bool selected) {
    return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

void TreeView::DrawRow(HDC dc, const TreeRowView& row) {
    RECT full{0, row.top, model_.ClientWidth(), row.top + row.height};
    DrawNodeBackground(dc, row, full);
    DrawButtonAndLines(dc, row);
    int iconTop =
        row.top + (std::min(row.height, model_.SingleRowHeight()) - TreeViewModel::kIconSize) / 2;
    if (row.stateLeft >= 0 && stateImages_ && row.node->StateImage() >= 0)
        ImageList_Draw(stateImages_, row.node->StateImage(), dc, row.stateLeft, iconTop,
                       ILD_TRANSPARENT);
    if (row.imageLeft >= 0 && images_)
        ImageList_Draw(images_, row.node->Image(), dc, row.imageLeft, iconTop, ILD_TRANSPARENT);
    DrawLabel(dc, row);
}

void TreeView::DrawLabel(HDC dc, const TreeRowView& row) {
    const TreeViewNode& node = *row.node;
    bool selected = node.IsSelected();
    bool focused = GetFocus() == Handle();
    RECT label{row.label.left, row.label.top, row.label.right, row.label.bottom};
    if (selected) FillRect(dc, &label, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, ClassFont(node.NodeClass()));
    COLORREF color = NodeTextColor(node, selected && focused);
    if (selected && !focused) color = GetSysColor(COLOR_BTNTEXT);
    SetTextColor(dc, color);
    const char* text = node.Text().c_str();
    const auto& starts = model_.LineStarts(&node);
    const auto& ends = model_.LineEnds(&node);
    // Decided on the whole text, so a line of a UTF-8 text stays UTF-8.
    bool utf8 = cp1251::LooksLikeUtf8(text, node.Text().Length());
    for (size_t i = 0; i < starts.size(); ++i) {
        std::u16string wide;
        if (utf8 || starts.size() == 1)
            wide = cp1251::DisplayUtf16(text + starts[i], ends[i] - starts[i]);
        else
            for (uint32_t k = starts[i]; k < ends[i]; ++k)
                wide +=
                    static_cast<char16_t>(cp1251::ToUnicode(static_cast<unsigned char>(text[k])));
        ExtTextOutW(dc, row.label.left + TreeViewModel::kLabelPad, model_.LineTop(row, i), 0,
                    nullptr, reinterpret_cast<const wchar_t*>(wide.c_str()),
                    static_cast<UINT>(wide.size()), nullptr);
    }
    SelectObject(dc, old);
    if (&node == model_.Caret() && focused) DrawFocusRect(dc, &label);
}

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

void TreeView::DrawButtonAndLines(HDC dc, const TreeRowView& row) {
    int indent = model_.Indent();
    int cx = row.buttonLeft + indent / 2;
    int cy = row.top + std::min(row.height, model_.SingleRowHeight()) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    // The line to the node and on to the next sibling.
    Line(dc, cx, cy, row.buttonLeft + indent, cy);
    bool parentShown = row.node->ParentNode() && row.node->ParentNode() != model_.Root();
    if (row.node->PrevNode() || parentShown) {
        Line(dc, cx, row.top, cx, cy);
    }
    if (row.node->NextNode()) {
        Line(dc, cx, cy, cx, row.top + row.height);
    }
    // Lines of the ancestors that have siblings below.
    int x = cx - indent;
    for (TreeViewNode* p = row.node->ParentNode(); p && p != model_.Root() && x > 0;
         p = p->ParentNode(), x -= indent)
        if (p->NextNode()) {
            Line(dc, x, row.top, x, row.top + row.height);
        }
    if (row.node->HasChildren()) {
        RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
        FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &box, GetSysColorBrush(COLOR_GRAYTEXT));
        HPEN sign = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
        SelectObject(dc, sign);
        Line(dc, cx - 2, cy, cx + 3, cy);
        if (!row.node->IsExpanded()) {
            Line(dc, cx, cy - 2, cx, cy + 3);
        }
        SelectObject(dc, pen);
        DeleteObject(sign);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}
