// ovisto.exe started as a user starts it: one copy per program directory,
// caption and menu from the language module, the stored language code
// repaired, and the setup switches.
#include <gtest/gtest.h>

#include "ProgramCopy.h"

namespace {

const std::wstring kEnglishCaption = L"Orvex Vistomer";
const std::wstring kRussianCaption =
    L"\u041E\u0440\u0432\u0435\u043A\u0441 \u0412\u0438\u0441\u0442\u043E\u043C\u0435\u0440";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string StoredLanguage(const ProgramCopy& copy) {
    char value[64] = {};
    GetPrivateProfileStringA("Options", "language", "", value, sizeof value,
                             copy.SettingsFile().c_str());
    return value;
}

void ExpectClosesWithZero(ProgramCopy& copy, HWND window) {
    DWORD code = 99;
    ASSERT_TRUE(copy.Close(window, &code));
    EXPECT_EQ(0u, code);
}

TEST(ProgramStart, ShowsTheLanguageModulesCaptionAndMenu) {
    ProgramCopy copy({"ovenu.dll", "ovrus.dll"});
    HWND main = copy.StartAndShow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(kEnglishCaption, WindowCaption(main));
    EXPECT_NE(nullptr, GetMenu(main)) << "menu 1 of the module";
    ExpectClosesWithZero(copy, main);
}

TEST(ProgramStart, SecondStartFromTheSameFolderBringsTheFirstWindowUp) {
    ProgramCopy copy({"ovenu.dll"});
    HWND first = copy.StartAndShow();
    ASSERT_NE(nullptr, first);

    for (const char* args : {"", "/url http://127.0.0.1/page", "/URL"}) {
        ShowWindow(first, SW_MINIMIZE);
        ShowWindow(first, SW_HIDE);
        ASSERT_FALSE(IsWindowVisible(first));
        ASSERT_TRUE(copy.Start(args));
        DWORD code = 99;
        ASSERT_TRUE(copy.WaitForExit(&code)) << args;
        EXPECT_EQ(0u, code) << args;
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(first) && !IsIconic(first); }, 10000))
            << args;
    }
    ExpectClosesWithZero(copy, first);
}

TEST(ProgramStart, CopiesInOtherFoldersRunBesideEachOther) {
    ProgramCopy one({"ovenu.dll"}), two({"ovrus.dll"});
    HWND first = one.StartAndShow();
    ASSERT_NE(nullptr, first);
    HWND second = two.StartAndShow();
    ASSERT_NE(nullptr, second) << "the other folder's copy must not give way";
    EXPECT_NE(first, second);
    EXPECT_TRUE(one.IsRunning());
    EXPECT_EQ(kRussianCaption, WindowCaption(second)) << "the only module there is Russian";
    ExpectClosesWithZero(two, second);
    ExpectClosesWithZero(one, first);
}

// A window of the main class that does not answer the probe (here: one of
// this test process) is passed over.
TEST(ProgramStart, ForeignWindowsOfTheMainClassDoNotStopTheStart) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvexWindowClass";
    RegisterClassW(&wc);
    HWND foreign = CreateWindowExW(0, L"OrvexWindowClass", L"foreign", WS_OVERLAPPED, 0, 0, 100,
                                   100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, foreign);
    ProgramCopy copy({"ovenu.dll"});
    HWND main = copy.StartAndShow();
    DestroyWindow(foreign);
    UnregisterClassW(L"OrvexWindowClass", wc.hInstance);
    ASSERT_NE(nullptr, main);
    ExpectClosesWithZero(copy, main);
}

TEST(ProgramStart, StoredLanguageIsRepairedAndWrittenBack) {
    struct Case {
        const char* stored;
        std::vector<std::string> modules;
        const char* result;
        const std::wstring* caption;
    } cases[] = {
        {"0", {"ovenu.dll", "ovrus.dll"}, "enu", &kEnglishCaption},
        {"1", {"ovenu.dll", "ovrus.dll"}, "rus", &kRussianCaption},
        {"deu", {"ovenu.dll", "ovrus.dll"}, "enu", &kEnglishCaption},
        {"xyz", {"ovrus.dll"}, "rus", &kRussianCaption},
        {"rus", {"ovenu.dll", "ovrus.dll"}, "rus", &kRussianCaption},
    };
    for (const Case& c : cases) {
        ProgramCopy copy(c.modules);
        copy.Folder().Write("ovisto.ini",
                            std::string("[Options]\r\nlanguage=") + c.stored + "\r\n");
        HWND main = copy.StartAndShow();
        ASSERT_NE(nullptr, main) << c.stored;
        EXPECT_EQ(*c.caption, WindowCaption(main)) << c.stored;
        EXPECT_EQ(c.result, StoredLanguage(copy)) << c.stored;
        ExpectClosesWithZero(copy, main);
    }
}

TEST(ProgramStart, DamagedSettingsOrMissingModulesNeverStopTheStart) {
    ProgramCopy damaged({"ovenu.dll"});
    damaged.Folder().Write("ovisto.ini",
                           std::string("\xFF\xFE[Opt\0ions\r\nlanguage\r\n=[[\x01", 28));
    HWND main = damaged.StartAndShow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(kEnglishCaption, WindowCaption(main));
    ExpectClosesWithZero(damaged, main);

    ProgramCopy bare({});
    main = bare.StartAndShow();
    ASSERT_NE(nullptr, main) << "no language module: the window still shows";
    EXPECT_EQ(L"", WindowCaption(main));
    EXPECT_EQ(nullptr, GetMenu(main));
    ExpectClosesWithZero(bare, main);
}

TEST(ProgramStart, PlacementSurvivesARestart) {
    ProgramCopy copy({"ovenu.dll"});
    HWND main = copy.StartAndShow();
    ASSERT_NE(nullptr, main);
    SetWindowPos(main, nullptr, 130, 70, 520, 380, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor(
        [&] { return GetPrivateProfileIntA("Window", "W", 0, copy.SettingsFile().c_str()) == 520; },
        10000));
    ExpectClosesWithZero(copy, main);

    main = copy.StartAndShow();
    ASSERT_NE(nullptr, main);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(130, r.left);
    EXPECT_EQ(70, r.top);
    EXPECT_EQ(520, r.right - r.left);
    EXPECT_EQ(380, r.bottom - r.top);
    ExpectClosesWithZero(copy, main);
}

class Uninstall : public ::testing::Test {
  protected:
    void SetUp() override {
        RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run,
                        nullptr);
        std::string program = copy.Folder().File("ovisto.exe");
        RegSetValueExA(run, "Orvex Vistomer", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(program.c_str()),
                       static_cast<DWORD>(program.size() + 1));
    }
    void TearDown() override {
        RegDeleteValueA(run, "Orvex Vistomer");
        RegCloseKey(run);
    }
    bool AutostartPresent() {
        return RegQueryValueExA(run, "Orvex Vistomer", nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    // Starts "/uninstall", checks the question and answers it.
    void Answer(int button) {
        ASSERT_TRUE(copy.Start("/UNINSTALL"));
        HWND box = copy.WaitForDialog();
        ASSERT_NE(nullptr, box);
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        EXPECT_STREQ(L"Remove Orvex Vistomer from this computer?", text);
        EXPECT_EQ(kEnglishCaption, WindowCaption(box));
        PostMessageW(box, WM_COMMAND, button, 0);
        DWORD code = 99;
        ASSERT_TRUE(copy.WaitForExit(&code));
        EXPECT_EQ(0u, code);
    }
    ProgramCopy copy{{"ovenu.dll"}};
    HKEY run = nullptr;
};

// One test: both answers touch the same autostart entry of the user.
TEST_F(Uninstall, NoKeepsTheAutostartEntryYesRemovesItBothEndTheRun) {
    Answer(IDNO);
    EXPECT_TRUE(AutostartPresent());
    Answer(IDYES);
    EXPECT_FALSE(AutostartPresent());
}

TEST(ProgramStart, InstallSwitchesGoOnWithTheNormalStart) {
    for (const char* args : {"/install", "/Shadow"}) {
        ProgramCopy copy({"ovenu.dll"});
        HWND main = copy.StartAndShow(args);
        ASSERT_NE(nullptr, main) << args;
        ExpectClosesWithZero(copy, main);
    }
}

}  // namespace
