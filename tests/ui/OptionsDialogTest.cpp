// The options dialog on prepared options: what its controls show, what OK
// and Cancel store, the language list, start with Windows, the defaults
// button, and its layout in both languages (every text fits, mnemonics are
// unique; with OVISTO_SHOT_DIR set a picture of each is saved there).
#include "ui/OptionsDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Autostart.h"
#include "platform/Files.h"
#include "platform/Lang.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "support/DialogLayout.h"
#include "support/WhenModal.h"
#include "support/WindowShot.h"

namespace {

// A key of this process's own: test processes run side by side, and one's
// clean-up must not delete the value another is looking at.
const std::string kRunPlace =
    "Software\\OvistoTests\\OptionsDialogRun" + std::to_string(GetCurrentProcessId());
const std::string kFingerprint(64, 'C');

class OptionsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseLanguage("enu");
        settings = dir.File("ovisto.ini");
        args.options = &options;
        args.settingsFile = settings;
        args.languageDir = platform::ProgramDirectory();
        platform::SetAutostartPlace(kRunPlace.c_str());
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kRunPlace.c_str());
        platform::SetAutostartPlace("");
        TheLanguage().SetModule(nullptr, false);
    }
    static void UseLanguage(const char* language) {
        AStr code(language);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
    }
    // Runs the dialog; `step` works on it once it is open and must end it.
    OptionsOutcome Run(std::function<void(HWND)> step) {
        bool ran = false;
        WhenModal([&] {
            ran = true;
            step(GetActiveWindow());
        });
        OptionsOutcome outcome = EditOptions(nullptr, args);
        EXPECT_TRUE(ran) << "the dialog did not open";
        return outcome;
    }
    static void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static void Type(HWND dialog, int id, const wchar_t* text) {
        SetDlgItemTextW(dialog, id, text);
    }
    static std::wstring Text(HWND dialog, int id) {
        wchar_t text[512] = {};
        GetDlgItemTextW(dialog, id, text, 512);
        return text;
    }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    static bool Checked(HWND dialog, int id) {
        return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    }
    std::string Stored(const char* section, const char* key) const {
        return platform::ProfileFile(settings).ReadText(section, key, "<none>").c_str();
    }

    TempDir dir;
    std::string settings;
    Options options;
    OptionsDialogArgs args;
};

TEST_F(OptionsDialogTest, LimitsAreCorrectedSilentlyAndTheLimitFieldFollowsItsChoice) {
    options.outputLimit = 300;
    OptionsOutcome outcome = Run([](HWND d) {
        EXPECT_TRUE(Checked(d, kLimitOnRadio));
        EXPECT_TRUE(Enabled(d, kOutputLimitEdit));
        EXPECT_EQ(L"300", Text(d, kOutputLimitEdit));
        EXPECT_EQ(L"", Text(d, kMaxNewsEdit)) << "no bound shows empty";
        Type(d, kOutputLimitEdit, L"25");
        Type(d, kThreadsEdit, L"0");
        Type(d, kMaxNewsEdit, L"12");
        Press(d, IDOK);
    });
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.outputLimitChanged);
    EXPECT_EQ(40, options.outputLimit);
    EXPECT_EQ(1, options.maxThreads);
    EXPECT_EQ(12, options.maxNews);
    EXPECT_EQ("40", Stored("Options", "noutput"));
    EXPECT_EQ("1", Stored("Options", "maxthreads"));

    Run([](HWND d) {
        Press(d, kLimitOffRadio);
        EXPECT_FALSE(Enabled(d, kOutputLimitEdit));
        Press(d, IDOK);
    });
    EXPECT_EQ(0, options.outputLimit);
    EXPECT_EQ("0", Stored("Options", "noutput"));

    Run([](HWND d) {
        EXPECT_TRUE(Checked(d, kLimitOffRadio));
        EXPECT_EQ(L"80", Text(d, kOutputLimitEdit));
        EXPECT_FALSE(Enabled(d, kOutputLimitEdit));
        Press(d, kLimitOnRadio);
        EXPECT_TRUE(Enabled(d, kOutputLimitEdit));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(0, options.outputLimit) << "Cancel keeps the options";
}

TEST_F(OptionsDialogTest, ProxyControlsFollowTheirBox) {
    OptionsOutcome outcome = Run([](HWND d) {
        EXPECT_FALSE(Checked(d, kProxyBox));
        for (int id = kProxyFirst; id <= kProxyLast; ++id) EXPECT_FALSE(Enabled(d, id)) << id;
        Press(d, kProxyBox);
        for (int id = kProxyFirst; id <= kProxyLast; ++id) EXPECT_TRUE(Enabled(d, id)) << id;
        Type(d, kProxyHostEdit, L"proxy.local");
        Type(d, kProxyPortEdit, L"3128");
        Type(d, kProxyUserEdit, L"me");
        Type(d, kProxyPasswordEdit, L"secret");
        Press(d, kSavePasswordBox);
        Press(d, IDOK);
    });
    EXPECT_TRUE(outcome.ok);
    EXPECT_FALSE(outcome.languageChanged);
    EXPECT_TRUE(options.proxyOn);
    EXPECT_EQ("proxy.local", options.proxy);
    EXPECT_EQ("3128", options.proxyPort);
    EXPECT_EQ("me", options.proxyUser);
    EXPECT_EQ("secret", options.proxyPassword);
    EXPECT_TRUE(options.savePassword);
    EXPECT_EQ("proxy.local", Stored("Proxy", "Proxy"));

    Run([](HWND d) {
        EXPECT_TRUE(Enabled(d, kProxyHostEdit));
        Press(d, kProxyBox);
        EXPECT_FALSE(Enabled(d, kProxyHostEdit));
        EXPECT_FALSE(Enabled(d, kSavePasswordBox));
        Press(d, IDOK);
    });
    EXPECT_FALSE(options.proxyOn);
    EXPECT_EQ("proxy.local", options.proxy) << "the fields are kept while the proxy is off";
}

TEST_F(OptionsDialogTest, LanguageListShowsTheModulesNextToTheProgram) {
    options.language = "rus";
    std::vector<std::wstring> shown;
    OptionsOutcome outcome = Run([&](HWND d) {
        HWND list = GetDlgItem(d, kLanguageList);
        int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            shown.emplace_back(text);
        }
        EXPECT_EQ(L"\x0420\x0443\x0441\x0441\x043a\x0438\x0439", Text(d, kLanguageList))
            << "the current language is selected";
        SendMessageW(list, CB_SETCURSEL, 0, 0);
        Press(d, IDOK);
    });
    std::set<std::wstring> names(shown.begin(), shown.end());
    EXPECT_EQ(2u, shown.size());
    EXPECT_TRUE(names.count(L"English"));
    EXPECT_TRUE(names.count(L"\x0420\x0443\x0441\x0441\x043a\x0438\x0439"));
    EXPECT_TRUE(outcome.languageChanged);
    EXPECT_EQ(shown[0] == L"English" ? "enu" : "rus", std::string(options.language.c_str()));
    EXPECT_EQ(options.language.c_str(), Stored("Options", "language"));
}

TEST_F(OptionsDialogTest, WithoutModulesTheListIsEmptyAndOkStoresNoLanguage) {
    TempDir empty;
    args.languageDir = empty.Path();
    OptionsOutcome outcome = Run([](HWND d) {
        EXPECT_EQ(0, SendDlgItemMessageW(d, kLanguageList, CB_GETCOUNT, 0, 0));
        Press(d, IDOK);
    });
    EXPECT_TRUE(outcome.languageChanged);
    EXPECT_EQ("", options.language);
}

TEST_F(OptionsDialogTest, StartWithWindowsWritesAndClearsTheRunValue) {
    auto runValue = [] {
        char data[MAX_PATH * 2] = {};
        DWORD size = sizeof data;
        LONG r = RegGetValueA(HKEY_CURRENT_USER, kRunPlace.c_str(), "Orvex Vistomer", RRF_RT_REG_SZ,
                              nullptr, data, &size);
        return r == ERROR_SUCCESS ? std::string(data) : std::string("<none>");
    };
    Run([](HWND d) {
        EXPECT_FALSE(Checked(d, kAutostartBox));
        Press(d, kAutostartBox);
        Press(d, IDOK);
    });
    EXPECT_EQ(platform::ExecutablePath(), runValue());

    Run([](HWND d) {
        EXPECT_TRUE(Checked(d, kAutostartBox));
        Press(d, kAutostartBox);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(platform::ExecutablePath(), runValue()) << "Cancel writes nothing";

    Run([](HWND d) {
        Press(d, kAutostartBox);
        Press(d, IDOK);
    });
    EXPECT_EQ("<none>", runValue());
}

TEST_F(OptionsDialogTest, DefaultsButtonEditsAndSavesTheDefaultsAtOnce) {
    int edits = 0;
    args.editDefaults = [&](HWND owner, ItemProperties& defaults) {
        ++edits;
        EXPECT_NE(nullptr, owner);
        EXPECT_EQ(21600u, defaults.timedelta);
        defaults.timedelta = 3600;
        defaults.keywords = "sale";
        return true;
    };
    OptionsOutcome outcome = Run([](HWND d) {
        EXPECT_TRUE(Enabled(d, kDefaultsButton));
        Press(d, kDefaultsButton);
        Press(d, IDCANCEL);
    });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(1, edits);
    EXPECT_EQ(3600u, options.defaults.timedelta);
    EXPECT_EQ("3600", Stored("Default", "timedelta"));
    EXPECT_EQ("sale", Stored("Default", "keywords"));
    EXPECT_EQ("<none>", Stored("Options", "noutput")) << "the options themselves were cancelled";

    args.editDefaults = [&](HWND, ItemProperties& defaults) {
        defaults.timedelta = 60;
        return false;
    };
    Run([](HWND d) {
        Press(d, kDefaultsButton);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(3600u, options.defaults.timedelta) << "a cancelled sheet changes nothing";
    EXPECT_EQ("3600", Stored("Default", "timedelta"));

    args.editDefaults = nullptr;
    Run([](HWND d) {
        EXPECT_FALSE(Enabled(d, kDefaultsButton));
        Press(d, IDCANCEL);
    });
}

TEST_F(OptionsDialogTest, EventControlsFollowTheChoiceAndBrowseAsksForTheRightKind) {
    options.event.type = kEventBlink;
    std::vector<bool> asked;
    args.chooseFile = [&](HWND, bool sound, AStr& file) {
        asked.push_back(sound);
        file = sound ? "C:\\sounds\\ding.wav" : "C:\\tools\\run.exe";
        return true;
    };
    Run([](HWND d) {
        EXPECT_TRUE(Checked(d, kEventNothingRadio + 1));
        EXPECT_FALSE(Enabled(d, kEventParamEdit));
        EXPECT_FALSE(Enabled(d, kEventParamLabel));
        EXPECT_FALSE(Enabled(d, kEventBrowseButton));
        Press(d, kEventNothingRadio + 2);
        EXPECT_TRUE(Enabled(d, kEventParamEdit));
        EXPECT_TRUE(Enabled(d, kEventBrowseButton));
        Press(d, kEventBrowseButton);
        EXPECT_EQ(L"C:\\sounds\\ding.wav", Text(d, kEventParamEdit));
        Press(d, kEventNothingRadio + 3);
        EXPECT_TRUE(Enabled(d, kEventParamLabel));
        EXPECT_FALSE(Enabled(d, kEventBrowseButton));
        Press(d, kEventNothingRadio + 4);
        Press(d, kEventBrowseButton);
        Press(d, IDOK);
    });
    EXPECT_EQ((std::vector<bool>{true, false}), asked);
    EXPECT_EQ(kEventRunProgram, options.event.type);
    EXPECT_EQ("C:\\tools\\run.exe", options.event.param);
    EXPECT_EQ("4", Stored("Options", "eventtype"));
}

TEST_F(OptionsDialogTest, MailSecurityTrustedListAndCheckLimitsRoundTrip) {
    options.mailStls = 0;
    options.trustedCerts = ("pop.example.org:" + kFingerprint).c_str();
    std::wstring wideFingerprint(kFingerprint.begin(), kFingerprint.end());
    Run([&](HWND d) {
        EXPECT_TRUE(Checked(d, kStlsNeverRadio));
        EXPECT_EQ(L"pop.example.org:" + wideFingerprint, Text(d, kTrustedCertsEdit));
        EXPECT_EQ(L"32768", Text(d, kPageSizeEdit));
        EXPECT_EQ(L"300", Text(d, kCheckTimeEdit));
        Press(d, kStlsNeverRadio + 2);
        Type(d, kTrustedCertsEdit,
             (L"a.test:" + wideFingerprint + L"\r\nB.test:" + wideFingerprint).c_str());
        Type(d, kPageSizeEdit, L"512");
        Type(d, kCheckTimeEdit, L"60");
        Press(d, IDOK);
    });
    EXPECT_EQ(2, options.mailStls);
    std::string pairs = "a.test:" + kFingerprint + ";b.test:" + kFingerprint;
    EXPECT_EQ(pairs.c_str(), options.trustedCerts);
    EXPECT_EQ(512u * 1024, options.maxPageBytes);
    EXPECT_EQ(60u, options.checkSeconds);
    EXPECT_EQ("2", Stored("Options", "MailSTLS"));
    EXPECT_EQ(pairs, Stored("Options", "TrustedCerts"));
    Options back;
    LoadOptions(back, settings);
    EXPECT_EQ(512u * 1024, back.maxPageBytes);
    EXPECT_EQ(60u, back.checkSeconds);

    Run([&](HWND d) {
        EXPECT_TRUE(Checked(d, kStlsNeverRadio + 2));
        EXPECT_EQ(L"a.test:" + wideFingerprint + L"\r\nb.test:" + wideFingerprint,
                  Text(d, kTrustedCertsEdit));
        Press(d, kStlsNeverRadio + 1);
        Type(d, kTrustedCertsEdit, L"a.test");
        Press(d, IDOK);
        EXPECT_TRUE(IsWindow(d)) << "a line that is no pair keeps the dialog open";
        EXPECT_EQ(GetDlgItem(d, kTrustedCertsEdit), GetFocus());
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(2, options.mailStls);
    EXPECT_EQ(pairs.c_str(), options.trustedCerts);
}

TEST_F(OptionsDialogTest, TabGoesDownTheLeftColumnThenTheRightAndOkIsTheDefault) {
    options.proxyOn = true;
    options.outputLimit = 200;
    options.event.type = kEventSound;
    args.editDefaults = [](HWND, ItemProperties&) { return false; };
    std::vector<int> order;
    Run([&](HWND d) {
        HWND first = GetNextDlgTabItem(d, nullptr, FALSE);
        for (HWND c = first; c && order.size() < 40;) {
            order.push_back(GetDlgCtrlID(c));
            c = GetNextDlgTabItem(d, c, FALSE);
            if (c == first) break;
        }
        EXPECT_EQ(IDOK, LOWORD(SendMessageW(d, DM_GETDEFID, 0, 0)));
        Press(d, IDCANCEL);
    });
    const std::vector<int> expected = {kLanguageList,
                                       kProxyBox,
                                       kProxyHostEdit,
                                       kProxyPortEdit,
                                       kProxyUserEdit,
                                       kProxyPasswordEdit,
                                       kSavePasswordBox,
                                       kLimitOnRadio,
                                       kOutputLimitEdit,
                                       kThreadsEdit,
                                       kMaxNewsEdit,
                                       kPageSizeEdit,
                                       kCheckTimeEdit,
                                       kEventNothingRadio + 2,
                                       kEventParamEdit,
                                       kEventBrowseButton,
                                       kStlsNeverRadio + 1,
                                       kTrustedCertsEdit,
                                       kAutostartBox,
                                       kDefaultsButton,
                                       IDOK,
                                       IDCANCEL};
    EXPECT_EQ(expected, order) << "one stop per group of choices, on the one chosen";
}

TEST_F(OptionsDialogTest, LayoutFitsInBothLanguages) {
    args.editDefaults = [](HWND, ItemProperties&) { return false; };
    options.event.type = kEventSound;
    options.proxyOn = true;  // every control enabled, as it is drawn most often
    options.outputLimit = 200;
    for (const char* language : {"enu", "rus"}) {
        UseLanguage(language);
        OptionsDialog dialog(args);
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        ShowWindow(dialog.Handle(), SW_SHOW);
        UpdateWindow(dialog.Handle());
        for (const std::string& fault : LayoutFaults(dialog.Handle()))
            ADD_FAILURE() << language << ": " << fault;
        RECT r;
        GetWindowRect(dialog.Handle(), &r);
        EXPECT_LE(r.bottom - r.top, 600) << "fits a small screen";
        EXPECT_LE(r.right - r.left, 800) << "fits a small screen";
        EXPECT_TRUE(SaveShotWhenAsked(dialog.Handle(), std::string("options-") + language));
    }
}

}  // namespace
