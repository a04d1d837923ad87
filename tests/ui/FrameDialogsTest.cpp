// The properties and options commands of the main window, driven through
// their real dialogs: what an OK changes in the watch list, the files and
// the panes.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "MainWindowFixture.h"
#include "lang/CommandIds.h"
#include "lang/PropertyIds.h"
#include "support/WhenModal.h"
#include "ui/OptionsDialog.h"
#include "watchlist/WatchListFile.h"

namespace {

class FrameDialogsTest : public MainWindowTest {
  protected:
    void OpenOnList() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        news = frame->WatchList().FirstItem();
        weather = news->FirstItem();
    }
    void Command(int id) { SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static void SetText(HWND dialog, int id, const wchar_t* text) {
        SetDlgItemTextW(dialog, id, text);
    }
    static void Click(HWND dialog, int id) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    std::string SavedList() const { return TempDir::Read(dir.File("OVISTO.CFG")); }

    ItemNode* news = nullptr;
    ItemNode* weather = nullptr;
};

TEST_F(FrameDialogsTest, ANewAddressForgetsTheOldPageAndAsksForACheck) {
    OpenOnList();
    frame->Items().SetCaret(weather);
    ASSERT_EQ(1u, frame->Items().Selected().size());
    ASSERT_FALSE(weather->checks.IsEmpty());
    WhenModal([] {
        HWND sheet = GetActiveWindow();
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        SetText(page, IDC_PAGE_ADDRESS, L"http://127.0.0.1:9/forecast");
        Click(sheet, IDOK);
    });
    Command(CMD_PROPERTIES);
    EXPECT_STREQ("http://127.0.0.1:9/forecast", weather->properties.address.c_str());
    EXPECT_TRUE(weather->checks.IsEmpty()) << "the old page's checks are gone";
    EXPECT_TRUE(weather->neverChecked);
    EXPECT_FALSE(weather->HasUnseen());
    EXPECT_EQ(kCheckRequested, weather->state);
    EXPECT_NE(std::string::npos, SavedList().find("http://127.0.0.1:9/forecast"));
}

TEST_F(FrameDialogsTest, AnOkWithoutChangesKeepsChecksAndCancelKeepsEverything) {
    OpenOnList();
    frame->Items().SetCaret(weather);
    const std::string before = SavedList();
    WhenModal([] { Click(GetActiveWindow(), IDCANCEL); });
    Command(CMD_PROPERTIES);
    EXPECT_EQ(before, SavedList());
    WhenModal([] { Click(GetActiveWindow(), IDOK); });
    Command(CMD_PROPERTIES);
    EXPECT_FALSE(weather->checks.IsEmpty());
    EXPECT_EQ(kCheckIdle, weather->state) << "nothing asked a check";
}

TEST_F(FrameDialogsTest, OptionsSaveAndAZeroLimitWrapsTheResultPane) {
    OpenOnList();
    options.outputLimit = 80;
    frame->Results().SetLimit(80);
    frame->ShowObjectResults(weather);
    ASSERT_FALSE(frame->Results().Model().Wrap());
    WhenModal([] {
        HWND dialog = GetActiveWindow();
        CheckRadioButton(dialog, kLimitOffRadio, kLimitOnRadio, kLimitOffRadio);
        Click(dialog, kLimitOffRadio);
        Click(dialog, IDOK);
    });
    Command(CMD_OPTIONS);
    EXPECT_EQ(0, options.outputLimit);
    EXPECT_TRUE(frame->Results().Model().Wrap()) << "shown again in wrap mode";
    EXPECT_TRUE(messages.empty()) << "the language stayed";
    Options saved;
    LoadOptions(saved, settings);
    EXPECT_EQ(0, saved.outputLimit);
}

TEST_F(FrameDialogsTest, AnotherLanguageSaysItComesWithTheNextStart) {
    OpenOnList();
    options.language = "enu";
    WhenModal([] {
        HWND dialog = GetActiveWindow();
        HWND list = GetDlgItem(dialog, kLanguageList);
        const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        const int current = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
        SendMessageW(list, CB_SETCURSEL, (current + 1) % count, 0);
        Click(dialog, IDOK);
    });
    Command(CMD_OPTIONS);
    EXPECT_STREQ("rus", options.language.c_str());
    ASSERT_EQ(1u, messages.size());
    EXPECT_STREQ(LoadText(TEXT_LANGUAGE_CHANGED).c_str(), messages[0].c_str());
}

}  // namespace
