// The tree view control in a test window: clicks, keys, the wheel and the
// expand button reach the model and the parent's notifications; selected
// labels, owner-drawn bands and the insertion mark show on pixels; tips
// come up over nodes.
#include "shell/gui/TreeView.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kBandClass = 7;
constexpr COLORREF kBand = RGB(0, 200, 100);

struct BandNode : TreeViewNode {
    using TreeViewNode::TreeViewNode;
    int NodeClass() const override { return kBandClass; }
};

// A view that paints a band behind nodes of one class.
class BandedView : public TreeView {
  public:
    using TreeView::TreeView;
    std::vector<TreeViewNode*> dragged;  // the nodes drags began on

  protected:
    void BeginDrag(TreeViewNode* node) override { dragged.push_back(node); }
    void DrawNodeBackground(HDC dc, const TreeRowView& row, const RECT& full) override {
        if (row.node->NodeClass() != kBandClass) return;
        RECT band{row.label.left, full.top, full.right, full.bottom};
        HBRUSH brush = CreateSolidBrush(kBand);
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
};

class Parent : public DWindow {
  public:
    std::vector<int> codes;
    std::vector<TreeViewNode*> nodes;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            auto* n = reinterpret_cast<TreeViewNotify*>(lParam);
            codes.push_back(static_cast<int>(n->header.code));
            nodes.push_back(n->node);
            return 0;
        }
        return DWindow::WindowProc(message, wParam, lParam);
    }
};

void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

bool Has(const std::vector<int>& codes, int code) {
    for (int c : codes)
        if (c == code) return true;
    return false;
}

struct TreeViewWindow : ::testing::Test {
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(
            DWindow::RegisterWindowClass(instance, L"OvTreeTestParent", 0, nullptr, nullptr));
        DCreateArgs args;
        args.className = L"OvTreeTestParent";
        args.title = "tree test";
        args.style = WS_OVERLAPPEDWINDOW;
        args.x = args.y = 0;
        args.width = 400;
        args.height = 300;
        args.instance = instance;
        ASSERT_TRUE(parent.Create(args));
        ASSERT_TRUE(view.CreateView(parent.Handle(), 101, WS_VISIBLE | WS_VSCROLL, 0, instance));
        MoveWindow(view.Handle(), 0, 0, 300, 200, TRUE);
        for (int i = 0; i < 30; ++i) {
            TreeViewNode* n = i == 2 ? new BandNode("banded node") : new TreeViewNode("node");
            view.Insert(view.Root(), n);
            top.push_back(n);
        }
        child = new TreeViewNode("child");
        view.Insert(top[0], child);
        ShowWindow(parent.Handle(), SW_SHOW);
        UpdateWindow(parent.Handle());
        Pump(20);
        parent.codes.clear();
    }
    void TearDown() override {
        view.Destroy();
        parent.Destroy();
    }
    POINT LabelPoint(TreeViewNode* n) {
        TreeRect r;
        EXPECT_TRUE(view.Model().NodeRect(n, true, &r));
        return POINT{r.left + 3, (r.top + r.bottom) / 2};
    }
    // The view rendered into a bitmap; the colour at a point.
    COLORREF PixelAt(int x, int y) {
        HDC screen = GetDC(view.Handle());
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(view.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(view.Handle(), screen);
        return c;
    }
    TreeViewNode root;
    Parent parent;
    BandedView view{&root};
    std::vector<TreeViewNode*> top;
    TreeViewNode* child = nullptr;
};

}  // namespace

TEST_F(TreeViewWindow, ClicksSelectAndTellTheParent) {
    POINT p = LabelPoint(top[1]);
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    SendMessageW(view.Handle(), WM_LBUTTONUP, 0, At(p.x, p.y));
    EXPECT_EQ(std::vector<TreeViewNode*>{top[1]}, view.Model().Selected());
    EXPECT_TRUE(Has(parent.codes, kTvnSelectionChanged));
    EXPECT_TRUE(Has(parent.codes, kTvnClick));
    EXPECT_TRUE(Has(parent.codes, kTvnSetFocus)) << "a click takes the focus";
    p = LabelPoint(top[3]);
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(p.x, p.y));
    EXPECT_EQ((std::vector<TreeViewNode*>{top[1], top[3]}), view.Model().Selected());
    parent.codes.clear();
    SendMessageW(view.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(p.x, p.y));
    EXPECT_TRUE(Has(parent.codes, kTvnDoubleClick));
    SendMessageW(view.Handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, At(p.x, p.y));
    EXPECT_TRUE(Has(parent.codes, kTvnRightDoubleClick));
}

TEST_F(TreeViewWindow, TheButtonExpandsAndKeysMoveTheCaret) {
    TreeRowView row = view.Model().RowView(0);
    int y = row.top + row.height / 2;
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 At(row.buttonLeft + view.Model().Indent() / 2, y));
    EXPECT_TRUE(top[0]->IsExpanded());
    EXPECT_TRUE(Has(parent.codes, kTvnExpandChanged));
    EXPECT_EQ(0u, view.Model().SelectedCount()) << "the button does not select";
    SetFocus(view.Handle());
    view.Model().Click(top[0], false, false);
    SendMessageW(view.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(child, view.Model().Caret());
    SendMessageW(view.Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(top.back(), view.Model().Caret());
    EXPECT_GT(view.Model().ScrollY(), 0) << "the caret was scrolled into view";
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(view.Handle(), WM_KEYDOWN, 'A', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(31u, view.Model().SelectedCount());
}

TEST_F(TreeViewWindow, TheWheelScrollsAndTellsTheParent) {
    SendMessageW(view.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), At(50, 50));
    EXPECT_GT(view.Model().ScrollY(), 0);
    EXPECT_TRUE(Has(parent.codes, kTvnScrolled));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    GetScrollInfo(view.Handle(), SB_VERT, &si);
    EXPECT_EQ(view.Model().ScrollY(), si.nPos);
}

TEST_F(TreeViewWindow, SelectionBandsAndTheInsertMarkOnPixels) {
    SetFocus(view.Handle());
    view.Model().Click(top[1], false, false);
    // In the label's padding, left of the text and inside the focus frame.
    TreeRect s;
    ASSERT_TRUE(view.Model().NodeRect(top[1], true, &s));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), PixelAt(s.left + 1, s.top + 2));
    ASSERT_TRUE(view.Model().NodeRect(top[4], true, &s));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), PixelAt(s.left + 1, s.top + 2));
    TreeRect band;
    ASSERT_TRUE(view.Model().NodeRect(top[2], false, &band));
    EXPECT_EQ(kBand, PixelAt(view.Model().ClientWidth() - 2, band.top + 1));
    view.SetInsertMark(top[4], false);
    TreeRect r;
    ASSERT_TRUE(view.Model().NodeRect(top[4], true, &r));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), PixelAt(r.left + 10, r.top));
    view.SetInsertMark(nullptr, false);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), PixelAt(r.left + 10, r.top - 1));
}

TEST_F(TreeViewWindow, WrappedLabelsGrowAndTipsComeUp) {
    TreeViewNode* longNode = top[5];
    view.Model().SetText(
        longNode, "a long label that needs several lines in a pane three hundred pixels wide");
    view.SetWrap(true);
    long row = view.Model().RowOf(longNode);
    ASSERT_GE(row, 0);
    EXPECT_GE(view.Model().RowHeight(static_cast<size_t>(row)), 2 * view.LineHeight());
    view.SetWrap(false);
    TipHost host;
    view.SetTips(&host, 10, 20000, false);
    POINT p = LabelPoint(top[6]);
    SendMessageW(view.Handle(), WM_MOUSEMOVE, 0, At(p.x, p.y));
    Pump(200);
    ASSERT_NE(nullptr, view.TipWindow());
    EXPECT_TRUE(IsWindowVisible(view.TipWindow()));
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    EXPECT_FALSE(IsWindowVisible(view.TipWindow())) << "a click hides the tip";
}

TEST_F(TreeViewWindow, APressMovedPastTheDragDistanceBeginsADragOfTheSelection) {
    view.SetDragSource(true);
    view.Model().Click(top[1], false, false);
    view.Model().Click(top[3], true, false);
    POINT p = LabelPoint(top[1]);
    // A press on a selected node keeps the selection until it is let go.
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    SendMessageW(view.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(p.x + 1, p.y + 1));
    EXPECT_TRUE(view.dragged.empty()) << "within the drag distance";
    SendMessageW(view.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y + 30));
    EXPECT_EQ(std::vector<TreeViewNode*>{top[1]}, view.dragged);
    EXPECT_EQ((std::vector<TreeViewNode*>{top[1], top[3]}), view.Model().Selected());
    SendMessageW(view.Handle(), WM_LBUTTONUP, 0, At(p.x, p.y + 30));
    EXPECT_EQ(2u, view.Model().SelectedCount()) << "a drag is no click";
    // Let go without a drag: the click selects the node alone.
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    SendMessageW(view.Handle(), WM_LBUTTONUP, 0, At(p.x, p.y));
    EXPECT_EQ(std::vector<TreeViewNode*>{top[1]}, view.Model().Selected());
    // Moving without the button down starts nothing.
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    SendMessageW(view.Handle(), WM_MOUSEMOVE, 0, At(p.x, p.y + 30));
    SendMessageW(view.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y + 60));
    EXPECT_EQ(1u, view.dragged.size());
}
