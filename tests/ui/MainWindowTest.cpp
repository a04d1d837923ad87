// The main window driven through its messages: children and layout, the
// separator and the split kept across starts, minimising to the tray,
// blinking, the delayed selection with its caption, the status line, the
// toolbar's tips and what creation does with the program directory.
#include "MainWindowFixture.h"  // first: <windows.h> before <commctrl.h>

#include <commctrl.h>

#include "lang/CommandIds.h"
#include "platform/DirectoryLock.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DTrayIcon.h"
#include "ui/FrameLayout.h"

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}

std::wstring Caption(HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    return text;
}

TEST(FrameLayout, ItemPaneShareWithItsHundredPixelRules) {
    FrameLayout wide = LayOutFrame(1000, 600, 30, 20, 33);
    EXPECT_EQ(330, wide.itemPane.width);
    EXPECT_EQ(330, wide.resultPane.x);
    EXPECT_EQ(670, wide.resultPane.width);
    EXPECT_EQ(30, wide.itemPane.y);
    EXPECT_EQ(550, wide.itemPane.height) << "the band between toolbar and status bar";
    EXPECT_EQ(328, wide.separator.x);
    EXPECT_EQ(4, wide.separator.width);
    EXPECT_EQ(580, wide.status.y);

    FrameLayout narrow = LayOutFrame(190, 300, 30, 20, 33);
    EXPECT_EQ(100, narrow.itemPane.width) << "below 200 pixels the item pane keeps 100";
    EXPECT_EQ(90, narrow.resultPane.width);
    EXPECT_EQ(100, LayOutFrame(1000, 300, 0, 0, 5).itemPane.width) << "never below 100";
    EXPECT_EQ(900, LayOutFrame(1000, 300, 0, 0, 95).itemPane.width) << "at most the width less 100";
    EXPECT_EQ(331, LayOutFrame(1003, 300, 0, 0, 33).itemPane.width) << "rounded (330.99), not cut";
    EXPECT_EQ(0, LayOutFrame(1000, 10, 30, 20, 33).itemPane.height) << "no negative band";

    EXPECT_EQ(50, SplitFromSeparator(300, 600));
    EXPECT_EQ(34, SplitFromSeparator(335, 1000)) << "rounded";
}

TEST(TrayTip, CutToSixtyThreeCharacters) {
    std::string longTitle(80, 'x');
    EXPECT_EQ(63u, DTrayIcon::CutTip(longTitle.c_str()).Length());
    EXPECT_STREQ("short", DTrayIcon::CutTip("short").c_str());
}

TEST_F(MainWindowTest, ChildrenWithTheirIdsAndTheToolbarButtons) {
    ASSERT_TRUE(Open());
    for (int id : {kSeparatorId, kItemPaneId, kResultPaneId, kToolbarId, kStatusBarId})
        EXPECT_NE(nullptr, GetDlgItem(Main(), id)) << id;
    EXPECT_EQ((std::vector<int>{CMD_NEW_WEB_PAGE, CMD_PROPERTIES, CMD_CHECK_NOW, CMD_IMPORT,
                                CMD_EXPORT, CMD_OPEN_PAGE, CMD_MARK_SEEN}),
              frame->Toolbar().Commands());
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_BIG, 0)));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_STREQ("Orvex Vistomer - web pages and mailboxes", frame->Tray().Tip().c_str());
    EXPECT_TRUE(frame->Tray().IsAdded());

    // A tip is the command's text after its first line feed.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = frame->Toolbar().Handle();
    info.hdr.idFrom = CMD_CHECK_NOW;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(Main(), WM_NOTIFY, CMD_CHECK_NOW, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ(L"Check now", info.lpszText);
}

TEST_F(MainWindowTest, NarrowWindowGivesTheItemPaneAHundredPixels) {
    ASSERT_TRUE(Open());
    SetClientSize(190, 300);
    RECT items = ChildRect(kItemPaneId), results = ChildRect(kResultPaneId),
         sep = ChildRect(kSeparatorId);
    EXPECT_EQ(0, items.left);
    EXPECT_EQ(100, Width(items));
    EXPECT_EQ(100, results.left);
    EXPECT_EQ(90, Width(results));
    EXPECT_EQ(98, sep.left);
    EXPECT_EQ(ChildRect(kToolbarId).bottom, items.top) << "the panes start under the toolbar";
    EXPECT_EQ(ChildRect(kStatusBarId).top, items.bottom) << "and end over the status bar";
}

TEST_F(MainWindowTest, DraggedSeparatorSavesTheSplitAtOnceAndTheNextStartKeepsIt) {
    ASSERT_TRUE(Open());
    SetClientSize(600, 400);
    EXPECT_EQ(198, Width(ChildRect(kItemPaneId))) << "33 percent by default";
    HWND sep = GetDlgItem(Main(), kSeparatorId);
    SendMessageW(sep, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
    SendMessageW(sep, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + 102, 10));
    SendMessageW(sep, WM_LBUTTONUP, 0, MAKELPARAM(2 + 102, 10));
    EXPECT_EQ(50, options.split);
    EXPECT_EQ(50,
              static_cast<int>(GetPrivateProfileIntA("Options", "width1", -1, settings.c_str())))
        << "saved when the separator moved";
    EXPECT_EQ(300, Width(ChildRect(kItemPaneId)));

    Restart();
    EXPECT_EQ(50, options.split);
    ASSERT_TRUE(Open());
    SetClientSize(600, 400);
    EXPECT_EQ(300, Width(ChildRect(kItemPaneId))) << "the split survives a restart";
    EXPECT_EQ(300, ChildRect(kResultPaneId).left);
}

TEST_F(MainWindowTest, MinimisingHidesAndTheTrayDoubleClickRestoresWithTheResults) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    ShowWindow(Main(), SW_SHOWNORMAL);
    Pump();
    ItemNode* caret = frame->Items().Caret();
    ASSERT_NE(nullptr, caret);
    ShowWindow(Main(), SW_MINIMIZE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(Main())) << "minimised means hidden";
    EXPECT_TRUE(frame->IsHiddenToTray());
    frame->ShowObjectResults(nullptr);
    EXPECT_EQ(caret, frame->CurrentObject())
        << "a minimised window keeps what its result pane shows";

    frame->Items().SetCaret(caret->FirstItem());
    KillTimer(Main(), kSelectionTimer);
    SendMessageW(Main(), kTrayMessage, 0, 0x203);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Main()) != FALSE; }, 5000));
    EXPECT_FALSE(IsIconic(Main()));
    EXPECT_FALSE(frame->IsHiddenToTray());
    EXPECT_EQ(caret->FirstItem(), frame->CurrentObject())
        << "the selected object's results shown again";
}

TEST_F(MainWindowTest, BlinkingAlternatesTheTrayIconsAndStopsAtACommandOrANotification) {
    ASSERT_TRUE(Open());
    EXPECT_FALSE(frame->IsBlinking());
    frame->StartBlink();
    ASSERT_TRUE(frame->IsBlinking());
    std::vector<int> icons, phases;
    for (int i = 0; i < 3; ++i) {
        SendMessageW(Main(), WM_TIMER, kBlinkTimer, 0);
        icons.push_back(frame->TrayIconId());
        phases.push_back(frame->BlinkPhase());
    }
    EXPECT_EQ((std::vector<int>{1, 2, 1}), phases);
    EXPECT_EQ((std::vector<int>{3, 4, 3}), icons);
    SendMessageW(Main(), WM_TIMER, kBlinkTimer, 0);
    EXPECT_EQ(4, frame->TrayIconId());

    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_SHOW_RESULTS, 0), 0);
    EXPECT_FALSE(frame->IsBlinking()) << "stopped at the start of a command";
    EXPECT_EQ(3, frame->TrayIconId());
    EXPECT_EQ(0, frame->BlinkPhase());

    frame->StartBlink();
    SendPaneNotify(frame->Results().Handle(), kTvnRightDoubleClick);
    EXPECT_FALSE(frame->IsBlinking()) << "stopped at a pane notification";
    EXPECT_EQ(frame->Results().Handle(), frame->FocusedPane()) << "the result pane took the focus";

    frame->StartBlink();
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kSeparatorId, DWindowSeparator::kMovedCode), 0);
    EXPECT_TRUE(frame->IsBlinking()) << "the separator's report is not a command";
}

TEST_F(MainWindowTest, SelectionShowsTheObjectAfterHalfASecondWithItsNameInTheCaption) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    ShowWindow(Main(), SW_SHOWNORMAL);
    Pump();  // command 405: the results of the first object
    std::vector<ItemNode*> rows = frame->Items().Rows();
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(rows[0], frame->CurrentObject());
    EXPECT_EQ(L"News - Orvex Vistomer", Caption(Main()));

    DWORD start = GetTickCount();
    frame->Items().SetCaret(rows[1]);
    EXPECT_EQ(rows[0], frame->CurrentObject()) << "not at once";
    ASSERT_TRUE(PumpUntil([&] { return frame->CurrentObject() == rows[1]; }, 5000));
    EXPECT_GE(GetTickCount() - start, 450u);
    EXPECT_EQ(L"Weather report - Orvex Vistomer", Caption(Main()));
    EXPECT_EQ(rows[1], frame->Results().Shown());

    frame->ShowObjectResults(nullptr);
    frame->UpdateCaption();
    EXPECT_EQ(L"Orvex Vistomer", Caption(Main())) << "no current object: the program name alone";
}

TEST_F(MainWindowTest, AMenuItemShowsItsPromptOnTheStatusLineUntilTheMenuCloses) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    frame->OnIdle(0);
    const AStr usual = frame->StatusBar().Text();
    HMENU menu = GetMenu(Main());
    SendMessageW(Main(), WM_MENUSELECT, MAKEWPARAM(CMD_PROPERTIES, MF_STRING),
                 reinterpret_cast<LPARAM>(menu));
    EXPECT_STREQ("Show and change the properties of the object", frame->StatusBar().Text().c_str())
        << "the text before the tool tip's line feed";
    SendMessageW(Main(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_STREQ("", frame->StatusBar().Text().c_str()) << "a submenu has no prompt";
    SendMessageW(Main(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(usual.c_str(), frame->StatusBar().Text().c_str());
}

TEST_F(MainWindowTest, StatusLineCountsNewsAndFollowsTheFocusedPane) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    Pump();
    frame->Items().SetCaret(frame->Items().Rows()[1]);  // the page with two checks
    frame->OnIdle(0);
    EXPECT_STREQ("Objects with news: 1    Checks: 2", frame->StatusBar().Text().c_str());
    SendPaneNotify(frame->Items().Handle(), kTvnSetFocus);
    frame->OnIdle(0);
    EXPECT_STREQ("Objects with news: 1    Selected: 1", frame->StatusBar().Text().c_str());
    EXPECT_FALSE(frame->StatusBar().SetText(frame->StatusText()))
        << "an equal text is not written again";
}

TEST_F(MainWindowTest, FirstStartAsksForANewPageAndHoldsTheDirectoryLock) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(frame->HoldsDirectoryLock());
    platform::DirectoryLock other;
    uint32_t error = 0;
    EXPECT_FALSE(other.Acquire(platform::JoinPath(dir.Path(), "ovisto.lck"), &error))
        << "a writer of the same folder is refused while the window runs";
    EXPECT_EQ(platform::kErrLockHeld, error);
    Pump();
    EXPECT_EQ((std::vector<std::string>{""}), NewPages()) << "no watch list: command 404";
    EXPECT_TRUE(platform::IsDirectory(frame->Paths().userFolder.c_str()));
    frame.reset();
    EXPECT_TRUE(other.Acquire(platform::JoinPath(dir.Path(), "ovisto.lck"), &error))
        << "released at the end";
}

TEST_F(MainWindowTest, DamagedWatchListIsPutAsideWithAMessageAndTheNewPageFlowStarts) {
    const std::string garbage("Orvex Vistomer Config\0\x0A\x00\x05\x00\xFF\xFF", 29);
    dir.Write("OVISTO.CFG", garbage);
    ASSERT_TRUE(Open());
    Pump();
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("OVISTO.DMG")) << messages[0];
    EXPECT_EQ(garbage, TempDir::Read(dir.File("OVISTO.DMG")))
        << "the damaged file is kept as it was";
    EXPECT_EQ((std::vector<std::string>{""}), NewPages());
    EXPECT_EQ(nullptr, frame->WatchList().FirstItem());
    frame->SaveWatchList();
    EXPECT_EQ(garbage, TempDir::Read(dir.File("OVISTO.DMG"))) << "saving never touches it";
}

TEST_F(MainWindowTest, WatchListLoadedWithItsChangeLogAndResultsShown) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    Pump();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(NewPages().empty()) << "a watch list exists: no new-page request";
    std::vector<ItemNode*> rows = frame->Items().Rows();
    ASSERT_EQ(4u, rows.size());
    EXPECT_STREQ("Weather report", rows[1]->DisplayName().c_str());
    EXPECT_EQ(2u, rows[1]->checks.Count()) << "the change log was read";
    EXPECT_EQ(1, frame->Engine()->NewChanges());
    EXPECT_TRUE(platform::FileExists(dir.File("OVISTO.BAK").c_str())) << "backed up at the start";
}

TEST_F(MainWindowTest, SuspendCommandTogglesAndIsShownCheckedInTheMenu) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CMD_SUSPEND_CHECKS, L"Suspend");
    AppendMenuW(menu, MF_STRING, CMD_PROPERTIES, L"Properties");
    AppendMenuW(menu, MF_STRING, CMD_SHOW_RESULTS, L"Refresh");
    EnableMenuItem(menu, 2, MF_BYPOSITION | MF_GRAYED);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_SUSPEND_CHECKS, 0), 0);
    EXPECT_TRUE(options.suspended);
    EXPECT_EQ(
        1, static_cast<int>(GetPrivateProfileIntA("Options", "BanChecks", -1, settings.c_str())));
    frame->Items().SetCaret(nullptr);
    SendMessageW(Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED) << "properties need one object";
    EXPECT_TRUE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_GRAYED)
        << "an unanswered command is left alone";
    DestroyMenu(menu);
}

TEST_F(MainWindowTest, HelpOpensTheLanguagesHelpFileAtTheWindowOrMenuContext) {
    WriteWatchList();
    ASSERT_TRUE(Open());
    struct Asked {
        std::string file;
        UINT command;
        ULONG_PTR data;
    };
    std::vector<Asked> asked;
    DHelpCall previous = SetHelpCall([&](HWND, const char* file, UINT command, ULONG_PTR data) {
        asked.push_back({file, command, data});
        return true;
    });
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    SendMessageW(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    info.iContextType = HELPINFO_MENUITEM;
    SendMessageW(Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    SetHelpCall(previous);
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), asked[0].command);
    EXPECT_EQ(1000u, asked[0].data);
    EXPECT_EQ(1002u, asked[1].data);
    EXPECT_EQ(HelpFile().c_str(), asked[0].file);
    EXPECT_NE(std::string::npos, asked[0].file.find(".hlp")) << asked[0].file;
}

}  // namespace
