// Searching the result pane of the real main window: the walk that selects
// what it finds and wraps after a yes, the not-found message, and the search
// dialog whose text and switches are kept in the options.
#include "MainWindowFixture.h"

#include <functional>

#include "lang/CommandIds.h"
#include "platform/Profile.h"
#include "support/WhenModal.h"
#include "ui/SearchDialog.h"

namespace {

class SearchTest : public MainWindowTest {
  protected:
    void OpenWithResults() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        ShowWindow(Main(), SW_SHOWNORMAL);
        std::vector<ItemNode*> rows = frame->Items().Rows();
        ASSERT_EQ(4u, rows.size());
        frame->ShowObjectResults(rows[1]);  // "Weather report": two checks, one change each
        TreeViewNode* root = frame->Results().Root();
        ASSERT_TRUE(root->FirstChildNode() && root->LastChildNode()->FirstChildNode());
        first = root->FirstChildNode()->FirstChildNode();
        second = root->LastChildNode()->FirstChildNode();
    }
    bool Enabled(int command) {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), L"x");
        SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        bool enabled = !(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
        DestroyMenu(menu);
        return enabled;
    }
    TreeViewNode* first = nullptr;
    TreeViewNode* second = nullptr;
};

TEST_F(SearchTest, FindsForwardSelectsAndWrapsOnlyAfterAYes) {
    int asked = 0;
    bool answer = true;
    OpenWithResults();
    frame->SetQuestionHandler([&](const AStr&) {
        ++asked;
        return answer;
    });
    TreeViewModel& model = frame->Results().Model();
    EXPECT_EQ(1, frame->FindInResults("RAIN", {}));
    TreeViewNode* hit = model.Caret();
    EXPECT_TRUE(hit == first || hit == second);
    EXPECT_TRUE(hit->IsSelected());
    EXPECT_EQ(frame->Results().Handle(), GetFocus());
    TreeViewNode* other = hit == first ? second : first;
    EXPECT_EQ(1, frame->FindInResults("rain", {}));
    EXPECT_EQ(other, model.Caret());
    EXPECT_TRUE(model.IsShown(other)) << "its check was expanded";
    EXPECT_EQ(1u, model.Selected().size()) << "the earlier hit was deselected";

    int before = asked;
    EXPECT_EQ(1, frame->FindInResults("rain", {}));
    EXPECT_EQ(hit, model.Caret());
    answer = false;
    EXPECT_EQ(-1, frame->FindInResults("rain", {true, false})) << "no capital R anywhere";
    EXPECT_GT(asked, before);
    EXPECT_TRUE(messages.empty()) << "a No ends the search without a word";

    answer = true;
    EXPECT_EQ(-1, frame->FindInResults("snow", {}));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("\"snow\" was not found.", messages[0]);
}

TEST_F(SearchTest, DialogKeepsTheTextAndSwitchesAndFindNextRepeatsIt) {
    OpenWithResults();
    frame->SetQuestionHandler([](const AStr&) { return true; });
    EXPECT_TRUE(Enabled(CMD_FIND));
    EXPECT_FALSE(Enabled(CMD_FIND_NEXT)) << "nothing searched yet";
    WhenModal([] {
        HWND dialog = GetActiveWindow();
        SetDlgItemTextW(dialog, kTextHistoryCombo, L"tomorrow");
        CheckDlgButton(dialog, kWholeWordBox, BST_CHECKED);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_FIND, 0), 0);
    // The pane may have been refilled while the dialog was open: its nodes
    // are read anew.
    TreeViewNode* hit = frame->Results().Model().Caret();
    ASSERT_NE(nullptr, hit);
    EXPECT_STREQ("Rain tomorrow", hit->Text().c_str());
    ASSERT_NE(nullptr, options.searchHistory.First());
    EXPECT_STREQ("tomorrow", options.searchHistory.First()->c_str());
    EXPECT_TRUE(options.searchWholeWord);
    EXPECT_FALSE(options.searchMatchCase);
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntA("Search", "bWord", 0, settings.c_str())));
    EXPECT_TRUE(Enabled(CMD_FIND_NEXT));

    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_FIND_NEXT, 0), 0);
    TreeViewNode* next = frame->Results().Model().Caret();
    ASSERT_NE(nullptr, next);
    EXPECT_NE(hit->ParentNode(), next->ParentNode()) << "the change of the other check";
    EXPECT_STREQ("Rain tomorrow", next->Text().c_str());

    // The dialog offers the history with the last text on top.
    std::wstring offered;
    WhenModal([&] {
        HWND dialog = GetActiveWindow();
        wchar_t text[64] = {};
        SendDlgItemMessageW(dialog, kTextHistoryCombo, CB_GETLBTEXT, 0,
                            reinterpret_cast<LPARAM>(text));
        offered = text;
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_FIND, 0), 0);
    EXPECT_EQ(L"tomorrow", offered);
}

TEST_F(SearchTest, NothingToSearchWithAnEmptyResultPane) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    frame->ShowObjectResults(nullptr);
    EXPECT_FALSE(Enabled(CMD_FIND));
    EXPECT_FALSE(Enabled(CMD_FIND_NEXT));
}

}  // namespace
