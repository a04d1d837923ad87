// The property sheet of a web page and a mailbox, the folder dialog and the
// choice of a new object's kind, driven through their controls.
#include "PropDialogFixture.h"

#include "pop3/Pop3Check.h"
#include "propfields/ObjectFields.h"
#include "shell/gui/DHelp.h"
#include "shell/gui/DText.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ItemNode.h"

namespace {

ItemProperties WebPage() {
    ItemProperties p;
    p.name = "Weather";
    p.address = "http://weather.example/";
    p.timedelta = 90061;
    p.modify = kModeText;
    return p;
}

TEST_F(PropDialogTest, PeriodShowsDaysHoursMinutesAndStoresTheTypedLimits) {
    ItemProperties p = WebPage();
    std::wstring days, hours, minutes;
    WhenModal([&] {
        HWND page = Page();
        days = Text(page, IDC_PAGE_DAYS);
        hours = Text(page, IDC_PAGE_HOURS);
        minutes = Text(page, IDC_PAGE_MINUTES);
        SetText(page, IDC_PAGE_DAYS, L"31");
        SetText(page, IDC_PAGE_HOURS, L"24");
        SetText(page, IDC_PAGE_MINUTES, L"60");
        Press(page, IDC_PAGE_MODE_LINKS);
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_EQ(L"1", days);
    EXPECT_EQ(L"1", hours);
    EXPECT_EQ(L"1", minutes);
    EXPECT_EQ(2768400u, p.timedelta);
    EXPECT_EQ(kModeLinks, p.modify);
    EXPECT_STREQ("Weather", p.name.c_str());
}

TEST_F(PropDialogTest, ThirtyTwoDaysKeepsTheSheetOpenWithTheFocusOnDays) {
    ItemProperties p = WebPage();
    bool stillOpen = false, focusOnDays = false, focusOnMinutes = false;
    WhenModal([&] {
        HWND sheet = Sheet(), page = Page();
        SetText(page, IDC_PAGE_DAYS, L"32");
        SetText(page, IDC_PAGE_MINUTES, L"61");
        Click(sheet, IDOK);
        stillOpen = IsWindowVisible(sheet) && Page() == page;
        focusOnDays = HasFocus(page, IDC_PAGE_DAYS);
        SetText(page, IDC_PAGE_DAYS, L"3");
        Click(sheet, IDOK);
        focusOnMinutes = HasFocus(page, IDC_PAGE_MINUTES);
        Click(sheet, IDCANCEL);
    });
    EXPECT_EQ(0, EditObject(nullptr, p, false, false, false));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(focusOnDays);
    EXPECT_TRUE(focusOnMinutes) << "days now pass, the minutes are the first bad field";
    EXPECT_EQ(90061u, p.timedelta) << "Cancel leaves the record as it was";
}

TEST_F(PropDialogTest, EmptyAddressIsRefusedAndATypedOneBecomesAUrl) {
    ItemProperties p = WebPage();
    bool focusOnAddress = false;
    WhenModal([&] {
        HWND sheet = Sheet(), page = Page();
        SetText(page, IDC_PAGE_ADDRESS, L"  ");
        Click(sheet, IDOK);
        focusOnAddress = HasFocus(page, IDC_PAGE_ADDRESS);
        SetText(page, IDC_PAGE_ADDRESS, L"news.example\\today\\index.htm");
        SetText(page, IDC_OBJECT_NAME, L"Новости");
        Click(sheet, IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_TRUE(focusOnAddress);
    EXPECT_STREQ("http://news.example/today/index.htm", p.address.c_str());
    EXPECT_STREQ("\xCD\xEE\xE2\xEE\xF1\xF2\xE8", p.name.c_str()) << "the name in code page 1251";
}

TEST_F(PropDialogTest, ProtectedPageKeepsItsFlagAndAddress) {
    ItemProperties p = WebPage();
    p.flags = kFlagProtected | kFlagNewsTape;
    bool addressEnabled = true, protectedShown = true;
    WhenModal([&] {
        HWND page = Page();
        addressEnabled = IsWindowEnabled(GetDlgItem(page, IDC_PAGE_ADDRESS));
        protectedShown = Shown(page, IDC_PAGE_PROTECTED);
        SetText(page, IDC_PAGE_ADDRESS, L"http://elsewhere.example/");
        SetText(page, IDC_PAGE_HOURS, L"2");
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_FALSE(addressEnabled);
    EXPECT_FALSE(protectedShown);
    EXPECT_STREQ("http://weather.example/", p.address.c_str());
    EXPECT_EQ(kFlagProtected | kFlagNewsTape, p.flags);
    EXPECT_EQ(86400u + 2 * 3600 + 60, p.timedelta);
}

TEST_F(PropDialogTest, DefaultsModeShowsOnlyTheNewsTapeFlagOnTheFirstPage) {
    ItemProperties defaults;
    defaults.flags = kFlagNewsTape | kFlagTables;
    bool nameShown = true, addressShown = true, tapeShown = false, tapeChecked = false;
    bool lastAttemptShown = true;
    int pages = 0;
    WhenModal([&] {
        HWND page = Page();
        nameShown = Shown(page, IDC_OBJECT_NAME) || Shown(page, IDC_PAGE_NAME_LABEL);
        addressShown = Shown(page, IDC_PAGE_ADDRESS) || Shown(page, IDC_PAGE_ADDRESS_LABEL);
        tapeShown = Shown(page, IDC_PAGE_NEWS_TAPE);
        tapeChecked = Checked(page, IDC_PAGE_NEWS_TAPE);
        lastAttemptShown = Shown(page, IDC_PAGE_LAST_ATTEMPT_LABEL);
        pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(Sheet()));
        Press(page, IDC_PAGE_NEWS_TAPE);
        SetText(page, IDC_PAGE_DAYS, L"7");
        Click(Sheet(), IDOK);
    });
    EXPECT_TRUE(EditDefaults(nullptr, defaults)) << "an empty address is no fault here";
    EXPECT_FALSE(nameShown);
    EXPECT_FALSE(addressShown);
    EXPECT_TRUE(tapeShown);
    EXPECT_TRUE(tapeChecked);
    EXPECT_FALSE(lastAttemptShown) << "never attempted: no time and no label";
    EXPECT_EQ(3, pages);
    EXPECT_EQ(kFlagTables, defaults.flags);
    EXPECT_EQ(7 * 86400u, defaults.timedelta);
    EXPECT_TRUE(defaults.address.IsEmpty());
}

TEST_F(PropDialogTest, LastAttemptAndColourOfThePage) {
    ItemProperties p = WebPage();
    p.timedelta = 86400;
    p.lastCheck = 1772712000;
    p.color = 0x00A0E8FF;  // not in the list
    std::wstring shown;
    LRESULT selected = -2;
    WhenModal([&] {
        HWND page = Page();
        shown = Text(page, IDC_PAGE_LAST_ATTEMPT);
        selected = SendDlgItemMessageW(page, IDC_PAGE_COLOR, CB_GETCURSEL, 0, 0);
        Click(Sheet(), IDOK);
    });
    ItemSheetArgs args;
    args.lastAttemptFailed = true;
    EXPECT_EQ(1, EditObject(nullptr, p, args));
    AStr expected = LastAttemptText(1772712000 + 86400 - 600, DateTimeLocale());
    EXPECT_EQ(WideText(expected.c_str()), shown) << "the retry's move is added back";
    EXPECT_EQ(0, selected) << "an unlisted colour selects the first entry";
    EXPECT_EQ(0u, p.color);

    WhenModal([&] {
        SendDlgItemMessageW(Page(), IDC_PAGE_COLOR, CB_SETCURSEL, 12, 0);
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_EQ(0x0000FFu, p.color) << "red";
}

TEST_F(PropDialogTest, MailboxFieldsRoundTripTheUserNameAndDefaultThePort) {
    ItemProperties p;
    p.address = "mailto:joe\x07work.example:pw@pop.example.com";
    std::wstring user, port, security;
    int pages = 0;
    WhenModal([&] {
        HWND page = Page();
        user = Text(page, IDC_MAIL_USER);
        port = Text(page, IDC_MAIL_PORT);
        security = Text(page, IDC_MAIL_SECURITY);
        pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(Sheet()));
        SetText(page, IDC_MAIL_PORT, L"");
        SetText(page, IDC_MAIL_PASSWORD, L"new:pw");
        Click(Sheet(), IDOK);
    });
    ItemSheetArgs args;
    args.isMailbox = true;
    args.mailSecurity = kMailStls;
    EXPECT_EQ(1, EditObject(nullptr, p, args));
    EXPECT_EQ(L"joe@work.example", user);
    EXPECT_EQ(L"110", port);
    EXPECT_NE(std::wstring::npos, security.find(L"STLS"))
        << std::string(security.begin(), security.end());
    EXPECT_EQ(2, pages);
    EXPECT_STREQ("mailto:joe\x07work.example:new:pw@pop.example.com:110", p.address.c_str());

    WhenModal([&] {
        user = Text(Page(), IDC_MAIL_USER);
        SetText(Page(), IDC_MAIL_DAYS, L"32");
        Click(Sheet(), IDOK);
        EXPECT_TRUE(HasFocus(Page(), IDC_MAIL_DAYS));
        SetText(Page(), IDC_MAIL_DAYS, L"0");
        SetText(Page(), IDC_MAIL_PORT, L"abc");
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, args));
    EXPECT_EQ(L"joe@work.example", user) << "unchanged on screen after the round trip";
    EXPECT_STREQ("mailto:joe\x07work.example:new:pw@pop.example.com:110", p.address.c_str());
}

TEST_F(PropDialogTest, FilterPageTakesKeywordsAndOptionalLimits) {
    ItemProperties p = WebPage();
    p.minchanged = 3;
    std::wstring minShown, shortestShown;
    WhenModal([&] {
        ShowPage(1);
        HWND page = Page();
        minShown = Text(page, IDC_FILTER_MIN_CHANGED);
        shortestShown = Text(page, IDC_FILTER_SHORTEST);
        SetText(page, IDC_FILTER_KEYWORDS, L"rain | snow");
        SetText(page, IDC_FILTER_MIN_CHANGED, L"");
        SetText(page, IDC_FILTER_SHORTEST, L"5");
        Press(page, IDC_FILTER_NO_LETTERS);
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_EQ(L"3", minShown);
    EXPECT_EQ(L"", shortestShown) << "a negative limit shows as an empty field";
    EXPECT_STREQ("rain | snow", p.keywords.c_str());
    EXPECT_EQ(-1, p.minchanged);
    EXPECT_EQ(5, p.skipnumchars);
    EXPECT_EQ(1, p.skipchanges & 1);
}

TEST_F(PropDialogTest, EscapeInAKeywordFieldClosesTheSheet) {
    ItemProperties p = WebPage();
    WhenModal([&] {
        ShowPage(1);
        HWND keywords = GetDlgItem(Page(), IDC_FILTER_KEYWORDS);
        SetWindowTextW(keywords, L"typed but not kept");
        SetFocus(keywords);
        SendMessageW(keywords, WM_KEYDOWN, VK_ESCAPE, 0);
        SendMessageW(keywords, WM_CHAR, VK_ESCAPE, 0);
    });
    EXPECT_EQ(0, EditObject(nullptr, p, false, false, false));
    EXPECT_TRUE(p.keywords.IsEmpty());
}

TEST_F(PropDialogTest, OptionsPageDiscardsByAgeAndSwitchesTheEventFields) {
    ItemProperties p = WebPage();
    bool countEnabledFirst = false, daysEnabledAfter = false, paramEnabled = true,
         browseEnabled = false;
    bool heldShown = true;
    WhenModal([&] {
        ShowPage(2);
        HWND page = Page();
        countEnabledFirst = IsWindowEnabled(GetDlgItem(page, IDC_OPT_COUNT));
        heldShown = Shown(page, IDC_OPT_HELD_CONFIRM);
        Press(page, IDC_OPT_BY_AGE);
        daysEnabledAfter = IsWindowEnabled(GetDlgItem(page, IDC_OPT_AGE_DAYS));
        SetText(page, IDC_OPT_AGE_DAYS, L"2");
        SetText(page, IDC_OPT_AGE_HOURS, L"3");
        Press(page, IDC_OPT_EVENT_BLINK);
        paramEnabled = IsWindowEnabled(GetDlgItem(page, IDC_OPT_EVENT_PARAM));
        Press(page, IDC_OPT_EVENT_SOUND);
        browseEnabled = IsWindowEnabled(GetDlgItem(page, IDC_OPT_EVENT_BROWSE));
        SetText(page, IDC_OPT_EVENT_PARAM, L"C:\\chime.wav");
        Press(page, IDC_OPT_TEXT_LOG);
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_TRUE(countEnabledFirst) << "the default keeps a number of checks";
    EXPECT_FALSE(heldShown);
    EXPECT_TRUE(daysEnabledAfter);
    EXPECT_FALSE(paramEnabled) << "blinking takes no parameter";
    EXPECT_TRUE(browseEnabled);
    EXPECT_EQ(kDeleteByAge, p.deltype);
    EXPECT_EQ((3 + 2 * 24) * 3600, p.delparam);
    EXPECT_EQ(kEventSound, p.event.type);
    EXPECT_STREQ("C:\\chime.wav", p.event.param.c_str());
    EXPECT_EQ(kFlagNewsTape | kFlagTables | kFlagTextLog, p.flags);
}

TEST_F(PropDialogTest, BadDiscardAgeIsRefusedOnlyWhileDiscardingByAge) {
    ItemProperties p = WebPage();
    bool focus = false, daysFocus = false, countFocus = false;
    WhenModal([&] {
        ShowPage(2);
        HWND page = Page();
        Press(page, IDC_OPT_BY_AGE);
        SetText(page, IDC_OPT_AGE_DAYS, L"32");
        SetText(page, IDC_OPT_AGE_HOURS, L"25");
        Click(Sheet(), IDOK);
        daysFocus = HasFocus(page, IDC_OPT_AGE_DAYS);
        SetText(page, IDC_OPT_AGE_DAYS, L"31");
        Click(Sheet(), IDOK);
        focus = HasFocus(page, IDC_OPT_AGE_HOURS);
        // A disabled field cannot take the focus: its text is not used then.
        Press(page, IDC_OPT_KEEP_COUNT);
        SetText(page, IDC_OPT_COUNT, L"");
        Click(Sheet(), IDOK);
        countFocus = HasFocus(page, IDC_OPT_COUNT);
        SetText(page, IDC_OPT_COUNT, L"4");
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, false, false, false));
    EXPECT_TRUE(daysFocus);
    EXPECT_TRUE(focus);
    EXPECT_TRUE(countFocus) << "an empty count is refused";
    EXPECT_EQ(kDeleteByCount, p.deltype);
    EXPECT_EQ(4, p.delparam);
}

TEST_F(PropDialogTest, HeldProgramRunsOnlyOnceConfirmed) {
    ItemNode node(WebPage());
    node.properties.event.type = kEventRunProgram;
    node.properties.event.param = "\"C:\\Program Files\\x.exe\" /go";
    ASSERT_TRUE(HoldProgramEvent(node));
    bool noteShown = false;
    WhenModal([&] {
        ShowPage(2);
        noteShown = Shown(Page(), IDC_OPT_HELD_NOTE) && Shown(Page(), IDC_OPT_HELD_CONFIRM);
        Click(Sheet(), IDOK);
    });
    EXPECT_TRUE(EditObjectProperties(nullptr, node));
    EXPECT_TRUE(noteShown);
    EXPECT_TRUE(IsHeldProgramEvent(node.properties.event)) << "OK alone keeps the hold";

    bool programChosen = false;
    WhenModal([&] {
        ShowPage(2);
        Press(Page(), IDC_OPT_HELD_CONFIRM);
        programChosen = Checked(Page(), IDC_OPT_EVENT_PROGRAM);
        Click(Sheet(), IDOK);
    });
    PropertyChanges changes;
    EXPECT_TRUE(EditObjectProperties(nullptr, node, &changes));
    EXPECT_TRUE(programChosen);
    EXPECT_EQ(kEventRunProgram, node.properties.event.type);
    EXPECT_STREQ("\"C:\\Program Files\\x.exe\" /go", node.properties.event.param.c_str());
    EXPECT_TRUE(changes.other && !changes.address && !changes.period);
}

TEST_F(PropDialogTest, FolderDialogEditsNameAndFlags) {
    ItemNode folder;
    folder.properties.name = "News";
    folder.properties.flags = kFlagNewsTape;
    bool tapeChecked = false;
    WhenModal([&] {
        HWND dialog = GetActiveWindow();
        tapeChecked = Checked(dialog, IDC_FOLDER_NEWS_TAPE);
        SetText(dialog, IDC_FOLDER_NAME, L"Daily");
        Press(dialog, IDC_FOLDER_NEWS_TAPE);
        Press(dialog, IDC_FOLDER_TEXT_LOG);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(EditObjectProperties(nullptr, folder));
    EXPECT_TRUE(tapeChecked);
    EXPECT_STREQ("Daily", folder.properties.name.c_str());
    EXPECT_EQ(kFlagTextLog, folder.properties.flags);
    EXPECT_TRUE(folder.IsFolder());

    WhenModal([&] { Click(GetActiveWindow(), IDCANCEL); });
    EXPECT_EQ(0, EditFolder(nullptr, folder.properties));
    EXPECT_STREQ("Daily", folder.properties.name.c_str());
}

TEST_F(PropDialogTest, KindDialogStartsOnTheGivenKind) {
    int kind = 1;
    bool mailboxChecked = false;
    WhenModal([&] {
        HWND dialog = GetActiveWindow();
        mailboxChecked = Checked(dialog, IDC_KIND_MAILBOX);
        Press(dialog, IDC_KIND_FOLDER);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, ChooseObjectKind(nullptr, kind));
    EXPECT_TRUE(mailboxChecked);
    EXPECT_EQ(2, kind);

    WhenModal([&] { Click(GetActiveWindow(), IDCANCEL); });
    EXPECT_EQ(0, ChooseObjectKind(nullptr, kind));
    EXPECT_EQ(2, kind);
}

}  // namespace

namespace {

TEST_F(PropDialogTest, HelpOpensAtTheContextOfEachPageAndDialog) {
    std::vector<ULONG_PTR> asked;
    DHelpCall previous = SetHelpCall([&](HWND, const char*, UINT command, ULONG_PTR data) {
        if (command == HELP_CONTEXT) asked.push_back(data);
        return true;
    });
    ItemProperties p = WebPage();
    WhenModal([&] {
        for (int page = 0; page < 3; ++page) {
            ShowPage(page);
            Click(Sheet(), IDHELP);
        }
        Click(Sheet(), IDCANCEL);
    });
    EditObject(nullptr, p, false, false, false);
    WhenModal([&] {
        Click(Sheet(), IDHELP);
        Click(Sheet(), IDCANCEL);
    });
    EditObject(nullptr, p, true, false, false);
    WhenModal([&] {
        Click(GetActiveWindow(), IDHELP);
        Click(GetActiveWindow(), IDCANCEL);
    });
    EditFolder(nullptr, p);
    WhenModal([&] {
        Click(GetActiveWindow(), IDHELP);
        Click(GetActiveWindow(), IDCANCEL);
    });
    int kind = 0;
    ChooseObjectKind(nullptr, kind);
    SetHelpCall(previous);
    EXPECT_EQ((std::vector<ULONG_PTR>{1, 9, 8, 3, 7, 7}), asked);
}

TEST_F(PropDialogTest, BrowseFillsTheEventParameterWithTheChosenFile) {
    ItemProperties p = WebPage();
    p.event.type = kEventRunProgram;
    p.event.param = "old.exe";
    uint8_t askedKind = 0;
    AStr offered;
    ItemSheetArgs args;
    args.chooseEventFile = [&](HWND, uint8_t kind, AStr& path) {
        askedKind = kind;
        offered = path;
        path = "\"C:\\Program Files\\new.exe\"";
        return true;
    };
    WhenModal([&] {
        ShowPage(2);
        Click(Page(), IDC_OPT_EVENT_BROWSE);
        Click(Sheet(), IDOK);
    });
    EXPECT_EQ(1, EditObject(nullptr, p, args));
    EXPECT_EQ(4, askedKind);
    EXPECT_STREQ("old.exe", offered.c_str());
    EXPECT_STREQ("\"C:\\Program Files\\new.exe\"", p.event.param.c_str());
}

}  // namespace
