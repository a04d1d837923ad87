// Pictures of the property dialogs in every language, for people to look
// at: with OVISTO_SHOT_DIR set, each dialog and page is saved there as
// "prop-<dialog>-<language>.png" (scripts/screenshot.sh asks for them).
// Without it the test does nothing.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PropDialogFixture.h"
#include "support/WindowShot.h"
#include "pop3/Pop3Check.h"
#include "watchlist/HeldEvents.h"

namespace {

// What the screen shows of the window, once it has painted, as a PNG.
void SaveWindow(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    EXPECT_TRUE(SaveWindowShot(window, path)) << path;
}

// Saves each page of the open sheet, then cancels it.
void SaveSheetPages(const std::string& base, const std::vector<std::string>& names) {
    WhenModal([=] {
        HWND sheet = GetActiveWindow();
        SetWindowPos(sheet, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE);
        for (size_t i = 0; i < names.size(); ++i) {
            PropSheet_SetCurSel(sheet, nullptr, static_cast<int>(i));
            SaveWindow(sheet, base + names[i]);
        }
        SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
}

void SaveDialog(const std::string& path) {
    WhenModal([=] {
        HWND dialog = GetActiveWindow();
        SetWindowPos(dialog, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE);
        SaveWindow(dialog, path);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(PropDialogTest, ShotsOfEveryDialogInEveryLanguage) {
    const char* dir = std::getenv("OVISTO_SHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "OVISTO_SHOT_DIR is not set";
    for (const char* language : {"enu", "rus"}) {
        UseLanguage(language);
        const std::string tail = std::string("-") + language + ".png";
        const std::string at = std::string(dir) + "/";

        ItemProperties page;
        page.name = "Weather report";
        page.address = "http://weather.example/today/index.htm";
        page.timedelta = 86400 + 2 * 3600 + 15 * 60;
        page.lastCheck = 1772712000;
        page.modify = kModeText;
        page.keywords = "rain | snow";
        page.minchanged = 2;
        page.event.type = kEventNone;  // held: came with an import
        page.event.param = "\"C:\\Program Files\\Notify\\notify.exe\" /quiet";
        SaveSheetPages(at, {"prop-page" + tail, "prop-filter" + tail, "prop-options" + tail});
        EditObject(nullptr, page, false, false, false);

        ItemProperties mailbox;
        mailbox.name = "Work mail";
        mailbox.address = "mailto:joe\x07work.example:secret@pop.work.example:995";
        mailbox.timedelta = 3600;
        mailbox.lastCheck = 1772712000;
        ItemSheetArgs args;
        args.isMailbox = true;
        args.mailSecurity = kMailTls;
        SaveSheetPages(at, {"prop-mailbox" + tail});
        EditObject(nullptr, mailbox, args);

        ItemProperties defaults;
        SaveSheetPages(at, {"prop-defaults" + tail});
        EditDefaults(nullptr, defaults);

        ItemProperties folder;
        folder.name = "News";
        SaveDialog(at + "prop-folder" + tail);
        EditFolder(nullptr, folder);

        int kind = 0;
        SaveDialog(at + "prop-kind" + tail);
        ChooseObjectKind(nullptr, kind);
    }
}

}  // namespace
