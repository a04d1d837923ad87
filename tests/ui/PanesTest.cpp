// The two panes inside the real main window: the watch list's nodes with
// their texts and pictures, the result pane filled from the selected object,
// its bands and link colour read back from the window drawn into a bitmap,
// the wrap mode of the change-text limit, and reading on marking news seen.
#include "MainWindowFixture.h"

#include <cstring>

#include "panes/PaneTexts.h"
#include "platform/Clock.h"
#include "platform/LocaleDates.h"

namespace {

class PanesTest : public MainWindowTest {
  protected:
    void OpenShown() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        ShowWindow(Main(), SW_SHOWNORMAL);
        SetClientSize(800, 400);
        Pump();
        std::vector<ItemNode*> rows = frame->Items().Rows();
        ASSERT_EQ(4u, rows.size());
        news = rows[0];
        weather = rows[1];
        rates = rows[2];
    }
    static TreeViewNode* NodeOf(ItemNode* object) {
        return static_cast<TreeViewNode*>(object->treeNode);
    }
    static std::vector<TreeViewNode*> Children(TreeViewNode* parent) {
        std::vector<TreeViewNode*> nodes;
        for (TreeViewNode* n = parent->FirstChildNode(); n; n = n->NextNode()) nodes.push_back(n);
        return nodes;
    }
    TreeViewNode* ResultRoot() { return frame->Results().Root(); }
    // The result pane drawn as it is on screen, into a bitmap of its size.
    struct Picture {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        ~Picture() {
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
        COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    };
    void Draw(HWND pane, Picture& p) {
        RECT r;
        GetClientRect(pane, &r);
        HDC screen = GetDC(pane);
        p.dc = CreateCompatibleDC(screen);
        p.bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(pane, screen);
        p.old = SelectObject(p.dc, p.bitmap);
        SendMessageW(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(p.dc), PRF_CLIENT);
    }
    TreeRect RowOf(TreeViewNode* node) {
        TreeRect r;
        EXPECT_TRUE(frame->Results().Model().NodeRect(node, false, &r));
        return r;
    }

    ItemNode* news = nullptr;
    ItemNode* weather = nullptr;
    ItemNode* rates = nullptr;
};

TEST_F(PanesTest, WatchListShowsEveryObjectWithItsTextAndPictures) {
    OpenShown();
    TreeViewNode* root = frame->Items().Root();
    EXPECT_TRUE(root->IsExpanded());
    std::vector<TreeViewNode*> top = Children(root);
    ASSERT_EQ(2u, top.size());
    EXPECT_STREQ("News", top[0]->Text().c_str());
    EXPECT_STREQ("Mail", top[1]->Text().c_str());
    EXPECT_EQ(NodeOf(news), top[0]);
    EXPECT_EQ(0, top[0]->Image()) << "a folder's picture";
    EXPECT_EQ(5, top[0]->StateImage()) << "news below it, shown as its state";
    EXPECT_EQ(5, NodeOf(weather)->Image()) << "idle with unseen changes";
    EXPECT_EQ(0, NodeOf(weather)->StateImage());
    EXPECT_EQ(2, NodeOf(rates)->Image()) << "idle, nothing new";
    EXPECT_EQ(top[0], frame->Items().Model().Caret()) << "the caret on the first object";
    EXPECT_EQ(std::vector<ItemNode*>{news}, frame->Items().Selected());

    // A failed check names its error after the name.
    weather->state = kCheckFailed;
    weather->lastError = -2;
    frame->RefreshObjectNode(*weather);
    // The English module's words, which the node spells out in full.
    EXPECT_STREQ("Weather report  Error: The page is empty", NodeOf(weather)->Text().c_str());
    EXPECT_EQ(8, NodeOf(weather)->Image());

    // Collapsing a folder is kept by its object.
    frame->Items().Expand(NodeOf(news), false);
    EXPECT_FALSE(news->expanded);
    EXPECT_EQ(2u, frame->Items().Rows().size());
}

TEST_F(PanesTest, FolderWhoseObjectsAreAllSwitchedOffShowsStateNine) {
    OpenShown();
    weather->ClearMarks(kMarkSwitchedOn);
    EXPECT_NE(9, NodeOf(news)->StateImage()) << "one page below is still on";
    rates->ClearMarks(kMarkSwitchedOn);
    EXPECT_EQ(9, NodeOf(news)->StateImage());
    EXPECT_EQ(0, NodeOf(news)->Image());
    EXPECT_EQ(9, NodeOf(rates)->Image());
    rates->SetMarks(kMarkSwitchedOn);
    EXPECT_EQ(5, NodeOf(news)->StateImage()) << "switched on again";
}

TEST_F(PanesTest, ClickingAnObjectFillsTheResultPaneWithItsChecksAndChanges) {
    OpenShown();
    TreeRect label;
    ASSERT_TRUE(frame->Items().Model().NodeRect(NodeOf(weather), true, &label));
    SendMessageW(frame->Items().Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(label.left + 4, (label.top + label.bottom) / 2));
    SendMessageW(frame->Items().Handle(), WM_LBUTTONUP, 0,
                 MAKELPARAM(label.left + 4, (label.top + label.bottom) / 2));
    ASSERT_TRUE(PumpUntil([&] { return frame->CurrentObject() == weather; }, 5000));
    EXPECT_EQ(weather, frame->Results().Shown());

    std::vector<TreeViewNode*> checks = Children(ResultRoot());
    ASSERT_EQ(2u, checks.size());
    PaneTexts texts;
    uint32_t times[] = {1700000000u, 1700003600u};
    for (size_t i = 0; i < 2; ++i) {
        AStr expected = texts.CheckTime(times[i]);
        expected += "   ";
        EXPECT_STREQ(expected.c_str(), checks[i]->Text().c_str());
        EXPECT_EQ(1, checks[i]->Image());
        std::vector<TreeViewNode*> changes = Children(checks[i]);
        ASSERT_EQ(1u, changes.size());
        EXPECT_STREQ("Rain tomorrow", changes[0]->Text().c_str());
        EXPECT_EQ(2, changes[0]->Image());
    }
    // The date in the English locale's order: month/day/year.
    platform::LocalTime t = platform::ToLocalTime(times[0]);
    AStr date = platform::FormatLocaleDate(1033, t);
    EXPECT_EQ(0, std::strncmp(date.c_str(), checks[0]->Text().c_str(), date.Length()));

    // Expanding a check is kept by its record.
    frame->Results().Expand(checks[1], true);
    EXPECT_TRUE(weather->checks.First()->NextCheck()->expanded);
}

TEST_F(PanesTest, ChecksSitOnTheObjectsColourAndEverySecondChangeOnADarkerBand) {
    OpenShown();
    weather->properties.color = RGB(255, 220, 120);
    auto* check = new CheckNode(1700007200u);
    check->expanded = true;
    check->changes.Append(new ChangeNode("First paragraph", ""));
    check->changes.Append(new ChangeNode("", "http://127.0.0.1:9/linked"));
    check->changes.Append(new ChangeNode("Third paragraph", "mailto:someone@127.0.0.1"));
    weather->checks.Prepend(check);
    frame->ShowObjectResults(weather);

    auto* checkNode = static_cast<TreeViewNode*>(check->treeNode);
    ASSERT_NE(nullptr, checkNode);
    std::vector<TreeViewNode*> changes = Children(checkNode);
    ASSERT_EQ(3u, changes.size());
    EXPECT_STREQ("url=\"http://127.0.0.1:9/linked\"", changes[1]->Text().c_str());
    EXPECT_EQ(3, changes[1]->Image());
    EXPECT_EQ(4, changes[2]->Image());

    Picture p;
    Draw(frame->Results().Handle(), p);
    COLORREF window = GetSysColor(COLOR_WINDOW);
    int right = frame->Results().Model().ClientWidth() - 2;
    auto middle = [&](TreeViewNode* n) { return (RowOf(n).top + RowOf(n).bottom) / 2; };
    EXPECT_EQ(RGB(255, 220, 120), p.At(right, middle(checkNode))) << "the object's colour";
    EXPECT_EQ(window, p.At(right, middle(changes[0])));
    EXPECT_EQ(DarkerBand(window), p.At(right, middle(changes[1]))) << "the second change";
    EXPECT_NE(window, DarkerBand(window));
    EXPECT_EQ(window, p.At(right, middle(changes[2])));

    // The link's text is drawn in dark blue.
    TreeRect label;
    ASSERT_TRUE(frame->Results().Model().NodeRect(changes[1], true, &label));
    bool blue = false;
    for (int y = label.top; y < label.bottom && !blue; ++y)
        for (int x = label.left; x < label.right && !blue; ++x)
            blue = p.At(x, y) == TreeViewText::kLinkColor;
    EXPECT_TRUE(blue);
}

TEST_F(PanesTest, LimitCutsChangeTextsAndZeroWrapsThem) {
    OpenShown();
    std::string longText(300, 'w');
    for (size_t i = 5; i < longText.size(); i += 6) longText[i] = ' ';
    auto* check = new CheckNode(1700007200u);
    check->expanded = true;
    check->changes.Append(new ChangeNode(longText.c_str(), ""));
    weather->checks.Prepend(check);

    frame->Results().SetLimit(10);
    frame->ShowObjectResults(weather);
    auto* node = static_cast<TreeViewNode*>(check->changes.First()->treeNode);
    ASSERT_NE(nullptr, node);
    EXPECT_STREQ((longText.substr(0, 10) + "\x85").c_str(), node->Text().c_str());
    EXPECT_STREQ(longText.c_str(), frame->Results().TipText(node).c_str()) << "the tip is whole";
    EXPECT_FALSE(frame->Results().Model().Wrap());
    int oneLine = frame->Results().Model().SingleRowHeight();

    frame->Results().SetLimit(0);
    frame->ShowObjectResults(weather);
    node = static_cast<TreeViewNode*>(check->changes.First()->treeNode);
    ASSERT_NE(nullptr, node);
    EXPECT_STREQ(longText.c_str(), node->Text().c_str());
    EXPECT_TRUE(frame->Results().Model().Wrap());
    TreeRect r;
    ASSERT_TRUE(frame->Results().Model().NodeRect(node, false, &r));
    EXPECT_GT(r.bottom - r.top, 2 * oneLine) << "broken into lines at words";
}

TEST_F(PanesTest, HoveringANodeShowsItsTipAfterTheDelay) {
    OpenShown();
    frame->Results().SetLimit(40);
    frame->ShowObjectResults(weather);
    TreeViewNode* first = ResultRoot()->FirstChildNode();
    ASSERT_NE(nullptr, first);
    TreeRect label;
    ASSERT_TRUE(frame->Results().Model().NodeRect(first, true, &label));
    POINT at{label.left + 3, (label.top + label.bottom) / 2};
    HWND pane = frame->Results().Handle();
    SendMessageW(pane, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(frame->Results().TipWindow() == nullptr ||
                !IsWindowVisible(frame->Results().TipWindow()))
        << "not at once";
    ASSERT_TRUE(PumpUntil(
        [&] {
            // Moves the display reports from the real pointer elsewhere are
            // answered by the mouse resting here again.
            SendMessageW(pane, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
            HWND tip = frame->Results().TipWindow();
            return tip && IsWindowVisible(tip);
        },
        3000));
    frame->ShowObjectResults(weather);
    EXPECT_FALSE(IsWindowVisible(frame->Results().TipWindow())) << "a refill hides it";
}

TEST_F(PanesTest, ScrollingTheResultPaneMarksTheSelectedObjectSeen) {
    OpenShown();
    frame->Items().SetCaret(weather);
    ASSERT_TRUE(weather->HasUnseen());
    ASSERT_EQ(1, frame->Engine()->NewChanges());
    SendPaneNotify(frame->Results().Handle(), kTvnScrolled);
    EXPECT_FALSE(weather->HasUnseen());
    EXPECT_EQ(0, frame->Engine()->NewChanges());
    EXPECT_EQ(2, NodeOf(weather)->Image()) << "its node rewritten";
    EXPECT_EQ(2, NodeOf(news)->StateImage()) << "and its folder's";
}

}  // namespace
