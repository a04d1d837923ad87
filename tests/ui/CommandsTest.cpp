// The main window's commands on objects, the browser and the popup menus:
// new objects at the caret and from a URL through the real sheet, opening
// pages with the shell's failure shown, the Enter action, switching,
// clearing, the report page, help and the about box, and the popup menus
// as they would be shown.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <prsht.h>

#include "CommandsFixture.h"
#include "support/DialogLayout.h"
#include "lang/PropertyIds.h"
#include "shell/gui/DHelp.h"
#include "support/WhenModal.h"

namespace {

struct ShellCall {
    std::string file, parameters;
};

class OpenCommandsTest : public CommandsTest {
  protected:
    void OpenWithShell(int answer) {
        configure = [this, answer](FrameArgs& args) {
            args.shellExecute = [this, answer](const AStr& file, const AStr& parameters,
                                               const char*) {
                calls.push_back({file.c_str(), parameters.c_str()});
                return answer;
            };
            args.chooseReportFile = [this](AStr& path) {
                path = reportPath.c_str();
                return !reportPath.empty();
            };
        };
        OpenOnList();
    }
    std::vector<ShellCall> calls;
    std::string reportPath;
};

TEST_F(CommandsTest, NewObjectsGoAfterThePageAtTheCaretOrIntoItsFolder) {
    OpenOnList();
    acceptNewObjects = true;
    typedAddress = "http://127.0.0.1:9/typed";
    frame->Items().SetCaret(weather);
    Command(CMD_NEW_WEB_PAGE);
    ASSERT_EQ(1u, NewPages().size());
    ItemNode* page = weather->NextItem();
    ASSERT_NE(rates, page);
    EXPECT_STREQ("http://127.0.0.1:9/typed", page->properties.address.c_str());
    EXPECT_EQ(kModeText, page->properties.modify) << "new pages compare texts";
    EXPECT_EQ(kCheckRequested, page->state);
    frame->Items().SetCaret(news);
    typedAddress = "mailto:other@127.0.0.1";
    Command(CMD_NEW_MAILBOX);
    EXPECT_STREQ("mailto:other@127.0.0.1",
                 static_cast<ItemNode*>(news->Last())->properties.address.c_str())
        << "a folder takes it at its end";
    acceptNewObjects = false;
    Command(CMD_NEW_WEB_PAGE);
    EXPECT_EQ(4u, news->Count()) << "cancel makes nothing";
}

TEST_F(CommandsTest, AnAddressFromOutsideOpensTheSheetAndOkMakesThePage) {
    realNewObjectDialog = true;
    OpenOnList();
    std::wstring shown;
    WhenModal([&shown] {
        HWND sheet = GetActiveWindow();
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        wchar_t text[256] = L"";
        GetDlgItemTextW(page, IDC_PAGE_ADDRESS, text, 256);
        shown = text;
        SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
    });
    frame->NewWebPage("http://127.0.0.1:9/dde");
    EXPECT_EQ(L"http://127.0.0.1:9/dde", shown);
    ItemNode* page = static_cast<ItemNode*>(frame->WatchList().Last());
    ASSERT_NE(mail, page) << "appended to the list";
    EXPECT_STREQ("http://127.0.0.1:9/dde", page->properties.address.c_str());
    EXPECT_TRUE(page->neverChecked);
    EXPECT_EQ(kCheckRequested, page->state);
    EXPECT_NE(std::string::npos, SavedList().find("http://127.0.0.1:9/dde"));
}

TEST_F(CommandsTest, ANewFolderComesFromTheFolderDialog) {
    realNewObjectDialog = true;
    OpenOnList();
    frame->Items().SetCaret(mail);
    WhenModal([] {
        HWND dialog = GetActiveWindow();
        SetDlgItemTextW(dialog, IDC_FOLDER_NAME, L"Later");
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
    Command(CMD_NEW_FOLDER);
    ItemNode* folder = mail->NextItem();
    ASSERT_NE(nullptr, folder);
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_STREQ("Later", folder->properties.name.c_str());
    EXPECT_NE(std::string::npos, SavedList().find("Later"));
}

TEST_F(OpenCommandsTest, AFailedShellCallShowsItsTextAndTheAddress) {
    OpenWithShell(2);
    FocusItems();
    frame->Items().SetCaret(weather);
    Command(CMD_OPEN_PAGE);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("http://127.0.0.1:9/weather", calls[0].file);
    EXPECT_EQ("", calls[0].parameters);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(std::string(ProgramErrorText(2).c_str()) + "\r\nhttp://127.0.0.1:9/weather",
              messages[0]);
    EXPECT_FALSE(weather->HasUnseen()) << "an opened page is seen";
}

TEST_F(OpenCommandsTest, EnterOpensPagesButNotMailboxesAndLinksFromTheResults) {
    OpenWithShell(42);
    FocusItems();
    frame->Items().SetCaret(mail);
    Command(CMD_ENTER);
    EXPECT_TRUE(calls.empty()) << "Enter on a mailbox does nothing";
    Command(CMD_OPEN_MAILBOX);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("mailto:user@127.0.0.1", calls[0].file);
    // A change with a link opens the link; a check the page itself.
    weather->checks.First()->changes.First()->link = "http://127.0.0.1:9/rain";
    ShowWeather();
    SelectRecord(weather->checks.First()->changes.First()->treeNode);
    Command(CMD_ENTER);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("http://127.0.0.1:9/rain", calls[1].file);
    EXPECT_FALSE(weather->HasUnseen()) << "reading the results marks the object seen";
    SelectRecord(weather->checks.First()->treeNode);
    Command(CMD_ENTER);
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("http://127.0.0.1:9/weather", calls[2].file);
    // A double click is the Enter of its pane.
    frame->Items().SetCaret(mail);
    SendPaneNotify(frame->Items().Handle(), kTvnDoubleClick, NodeOf(mail->treeNode));
    EXPECT_EQ(3u, calls.size()) << "a mailbox opens only by its own command";
    frame->Items().SetCaret(rates);
    SendPaneNotify(frame->Items().Handle(), kTvnDoubleClick, NodeOf(rates->treeNode));
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ("http://127.0.0.1:9/rates", calls[3].file);
    EXPECT_TRUE(messages.empty());
}

TEST_F(OpenCommandsTest, TheReportOfTheShownObjectIsSavedAsAPage) {
    OpenWithShell(42);
    reportPath = dir.File("report.htm");
    frame->ShowObjectResults(nullptr);
    Command(CMD_SAVE_REPORT);
    EXPECT_FALSE(platform::FileExists(reportPath.c_str())) << "no object shown";
    frame->ShowObjectResults(weather);
    Command(CMD_SAVE_REPORT);
    const std::string page = TempDir::Read(reportPath);
    EXPECT_NE(std::string::npos, page.find("Rain tomorrow")) << page.substr(0, 200);
    reportPath = dir.File("no-such-folder\\report.htm");
    Command(CMD_SAVE_REPORT);  // cannot be made: nothing happens
    EXPECT_TRUE(messages.empty());
}

TEST_F(OpenCommandsTest, HelpAboutAndTheWebSite) {
    OpenWithShell(42);
    std::vector<UINT> asked;
    DHelpCall before = SetHelpCall([&asked](HWND, const char*, UINT command, ULONG_PTR) {
        asked.push_back(command);
        return true;
    });
    Command(CMD_HELP_CONTENTS);
    Command(CMD_HELP_ON_HELP);
    Command(CMD_HELP_INDEX);
    SetHelpCall(before);
    EXPECT_EQ((std::vector<UINT>{HELP_INDEX, HELP_HELPONHELP, HELP_INDEX}), asked);
    Command(CMD_WEB_SITE);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(LoadText(TEXT_WEB_SITE).c_str(), calls[0].file);
    // The about box, laid out so that its texts fit in both languages.
    for (const char* language : {"rus", "enu"}) {
        AStr code(language);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
        bool shown = false;
        std::vector<std::string> faults;
        WhenModal([&shown, &faults] {
            HWND about = GetActiveWindow();
            shown = GetDlgItem(about, IDC_ABOUT_TEXT) != nullptr;
            faults = LayoutFaults(about);
            SendMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Command(CMD_ABOUT);
        EXPECT_TRUE(shown) << language;
        for (const std::string& fault : faults) ADD_FAILURE() << language << ": " << fault;
    }
}

TEST_F(CommandsTest, SwitchingClearingAndProtectingReachEveryObjectBelow) {
    OpenOnList();
    FocusItems();
    frame->Items().SetCaret(news);
    Command(CMD_SWITCH_OFF);
    EXPECT_TRUE(weather->IsSwitchedOff());
    EXPECT_TRUE(rates->IsSwitchedOff());
    EXPECT_TRUE(news->IsSwitchedOff());
    EXPECT_FALSE(mail->IsSwitchedOff());
    Restart();
    ASSERT_TRUE(Open());
    news = frame->WatchList().FirstItem();
    weather = news->FirstItem();
    EXPECT_TRUE(weather->IsSwitchedOff()) << "saved";
    FocusItems();
    frame->Items().SetCaret(news);
    Command(CMD_SWITCH_ON);
    EXPECT_FALSE(weather->IsSwitchedOff());
    EXPECT_EQ(kCheckRequested, weather->state);
    frame->ShowObjectResults(weather);
    Command(CMD_CLEAR_HISTORY);
    EXPECT_TRUE(weather->checks.IsEmpty());
    EXPECT_FALSE(weather->HasUnseen());
    EXPECT_EQ(0, frame->Engine()->NewChanges());
    EXPECT_EQ(0u, frame->Results().Model().RowCount()) << "the shown records went too";
    Command(CMD_PROTECT);
    EXPECT_TRUE(news->properties.flags & kFlagProtected);
    Command(CMD_UNPROTECT);
    EXPECT_FALSE(news->properties.flags & kFlagProtected);
}

TEST_F(CommandsTest, TabMovesToTheOtherPaneWithACaret) {
    OpenOnList();
    frame->ShowObjectResults(weather);
    frame->Results().Model().SetCaret(nullptr);
    FocusItems();
    Command(CMD_OTHER_PANE);
    EXPECT_EQ(frame->Results().Handle(), frame->FocusedPane());
    EXPECT_EQ(NodeOf(weather->checks.First()->treeNode), frame->Results().Model().Caret());
    Command(CMD_OTHER_PANE_BACK);
    EXPECT_EQ(frame->Items().Handle(), frame->FocusedPane());
}

// The popup's items: ids, 0 for a separator.
std::vector<int> Items(HMENU menu) {
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, i);
        ids.push_back(id == static_cast<UINT>(-1) ? -1 : static_cast<int>(id));
    }
    return ids;
}
bool Has(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}
void ExpectNoStraySeparators(const std::vector<int>& ids) {
    ASSERT_FALSE(ids.empty());
    EXPECT_NE(0, ids.front());
    EXPECT_NE(0, ids.back());
    for (size_t i = 1; i < ids.size(); ++i) EXPECT_FALSE(ids[i] == 0 && ids[i - 1] == 0) << i;
}

TEST_F(CommandsTest, ItemPopupIsTrimmedForAFolderAPageAndAMailbox) {
    OpenOnList();
    HWND pane = frame->Items().Handle();
    struct Case {
        ItemNode* object;
        int defaultId;
        std::vector<int> gone;
    } cases[] = {
        {news, -1, {}},
        {weather, CMD_OPEN_PAGE, {CMD_OPEN_MAILBOX}},
        {mail, CMD_OPEN_MAILBOX, {CMD_OPEN_PAGE, CMD_OPEN_PAGE_NEW_WINDOW}},
    };
    for (const Case& c : cases) {
        frame->Items().SetCaret(c.object);
        HMENU menu = frame->PreparePopupMenu(pane);
        ASSERT_NE(nullptr, menu);
        std::vector<int> ids = Items(menu);
        EXPECT_EQ(static_cast<UINT>(c.defaultId), GetMenuDefaultItem(menu, FALSE, 0));
        for (int id : c.gone) EXPECT_FALSE(Has(ids, id)) << id;
        EXPECT_TRUE(Has(ids, CMD_PROPERTIES));
        if (c.object == news) {
            EXPECT_TRUE(Has(ids, CMD_OPEN_MAILBOX)) << "a folder keeps all";
        }
        ExpectNoStraySeparators(ids);
        DestroyMenu(menu);
    }
    EXPECT_EQ(nullptr, frame->PreparePopupMenu(Main())) << "only the panes have one";
}

TEST_F(CommandsTest, ResultPopupKeepsLinkItemsOrTheTargetsAndItsSeparatorsStayTidy) {
    OpenOnList();
    weather->checks.First()->changes.First()->link = "mailto:a@127.0.0.1";
    ShowWeather();
    HWND pane = frame->Results().Handle();
    SelectRecord(weather->checks.First()->changes.First()->treeNode);
    HMENU menu = frame->PreparePopupMenu(pane);
    std::vector<int> ids = Items(menu);
    EXPECT_EQ(static_cast<UINT>(CMD_OPEN_CHANGE_LINK), GetMenuDefaultItem(menu, FALSE, 0));
    for (int id :
         {CMD_OPEN_PAGE, CMD_OPEN_PAGE_NEW_WINDOW, CMD_COPY_URL, CMD_OPEN_CHANGE_LINK_PAGE})
        EXPECT_FALSE(Has(ids, id)) << id;
    EXPECT_TRUE(Has(ids, CMD_COPY_CHANGE_LINK));
    ExpectNoStraySeparators(ids);
    DestroyMenu(menu);

    SelectRecord(weather->checks.First()->treeNode);
    menu = frame->PreparePopupMenu(pane);
    ids = Items(menu);
    EXPECT_EQ(static_cast<UINT>(CMD_OPEN_PAGE), GetMenuDefaultItem(menu, FALSE, 0));
    EXPECT_FALSE(Has(ids, CMD_OPEN_MAILBOX));
    EXPECT_FALSE(Has(ids, CMD_COPY_CHANGE_LINK));
    EXPECT_TRUE(Has(ids, CMD_ENTER));
    ExpectNoStraySeparators(ids);
    DestroyMenu(menu);

    // A news tape's check means the object it came from.
    frame->ShowObjectResults(news);
    FocusResults();
    SelectRecord(static_cast<CheckNode*>(news->checks.First())->treeNode);
    menu = frame->PreparePopupMenu(pane);
    EXPECT_EQ(static_cast<UINT>(CMD_OPEN_PAGE), GetMenuDefaultItem(menu, FALSE, 0));
    ExpectNoStraySeparators(Items(menu));
    DestroyMenu(menu);
}

TEST_F(CommandsTest, TheKeyboardOpensThePopupBelowTheFirstSelectedNode) {
    OpenOnList();
    ShowWindow(Main(), SW_SHOWNA);
    SetClientSize(600, 400);
    frame->Items().SetCaret(rates);
    HWND pane = frame->Items().Handle();
    TreeRect r;
    ASSERT_TRUE(frame->Items().Model().NodeRect(NodeOf(rates->treeNode), true, &r));
    POINT expected{r.left, r.bottom};
    ClientToScreen(pane, &expected);
    POINT at = frame->PopupMenuPoint(pane, POINT{-1, -1});
    EXPECT_EQ(expected.x, at.x);
    EXPECT_EQ(expected.y, at.y);
    at = frame->PopupMenuPoint(pane, POINT{30, 40});
    EXPECT_EQ(30, at.x) << "the mouse's point stays";
}

}  // namespace

namespace {

RECT g_menuShown;
bool g_menuSeen = false;

TEST_F(CommandsTest, TheContextKeyShowsThePaneMenuBelowTheFirstSelectedNode) {
    OpenOnList();
    ShowWindow(Main(), SW_SHOW);
    SetClientSize(600, 400);
    Pump();
    frame->Items().SetCaret(rates);
    HWND pane = frame->Items().Handle();
    const POINT expected = frame->PopupMenuPoint(pane, POINT{-1, -1});
    g_menuSeen = false;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (HWND menu = FindWindowW(L"#32768", nullptr)) {
            g_menuSeen = IsWindowVisible(menu) != FALSE;
            GetWindowRect(menu, &g_menuShown);
        }
        EndMenu();
    });
    // As the pane's default handling passes the context key on.
    SendMessageW(pane, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane), MAKELPARAM(-1, -1));
    ASSERT_TRUE(g_menuSeen) << "the menu was tracked";
    EXPECT_EQ(expected.x, g_menuShown.left);
    EXPECT_EQ(expected.y, g_menuShown.top);
}

}  // namespace

namespace {

TEST_F(CommandsTest, ADroppedAddressWhosePlaceWentMeanwhileGoesToTheEnd) {
    OpenOnList();
    acceptNewObjects = true;
    frame->NewWebPageAfterDrop("http://127.0.0.1:9/first", InsertPosition{news, weather, false});
    frame->NewWebPageAfterDrop("http://127.0.0.1:9/late", InsertPosition{news, rates, true});
    frame->DeleteObjectList({rates});
    Pump();
    EXPECT_EQ((std::vector<std::string>{"http://127.0.0.1:9/first", "http://127.0.0.1:9/late"}),
              NewPages());
    EXPECT_STREQ("http://127.0.0.1:9/first", weather->NextItem()->properties.address.c_str());
    auto* last = static_cast<ItemNode*>(frame->WatchList().Last());
    EXPECT_STREQ("http://127.0.0.1:9/late", last->properties.address.c_str());
}

}  // namespace
