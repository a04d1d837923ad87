// The built language modules, loaded the way the program loads them: the
// fallbacks of the module choice, what every module must carry, and the
// texts taken from a module.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Lang.h"
#include "support/AStrPrinter.h"
#include "support/TempDir.h"

namespace {

const char kRussianName[] = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";  // in 1251

class LangModules : public ::testing::Test {
  protected:
    void SetUp() override { TheLanguage().SetModule(nullptr, false); }
    void TearDown() override { TheLanguage().SetModule(nullptr, false); }
    // Copies a built module into the test folder (under another name when
    // asked); the module without a language name lives in bin/testdata.
    void Copy(const char* built, const char* as = nullptr) {
        std::string bin = platform::ProgramDirectory();
        std::string from = platform::JoinPath(bin, built);
        if (!platform::FileExists(from.c_str()))
            from = platform::JoinPath(platform::JoinPath(bin, "testdata"), built);
        ASSERT_TRUE(platform::CopyFileTo(from.c_str(), dir.File(as ? as : built).c_str(), false))
            << from;
    }
    const char* Dir() const { return dir.Path().c_str(); }
    TempDir dir;
};

TEST_F(LangModules, MissingCodeLoadsEnglishAndAsksForTheCodeToBeWritten) {
    Copy("ovenu.dll");
    Copy("ovrus.dll");
    AStr code("deu");
    EXPECT_TRUE(ChooseLanguage(code, Dir()));
    EXPECT_EQ("enu", code);
    EXPECT_EQ("English", LoadText(9500));
    EXPECT_EQ(1033u, LocaleForLanguage(LanguageCode().c_str()));
}

TEST_F(LangModules, WithoutEnglishTheFirstNamedModuleWins) {
    Copy("ovnon.dll");
    dir.Write("ovbad.dll", "MZ this is no library");
    Copy("ovrus.dll");
    AStr code("xyz");
    EXPECT_TRUE(LoadLanguage(code, Dir()));
    EXPECT_EQ("rus", code);
    EXPECT_EQ(kRussianName, LoadText(9500));
}

TEST_F(LangModules, ModulesWithoutALanguageNameAreNotChosenBySearch) {
    Copy("ovnon.dll");
    AStr code("xyz");
    EXPECT_FALSE(LoadLanguage(code, Dir())) << "nothing usable: no module";
    EXPECT_EQ("xyz", code);
    EXPECT_TRUE(LoadText(32000).IsEmpty());

    code = "non";
    EXPECT_TRUE(LoadLanguage(code, Dir())) << "but its own code still loads it";
    EXPECT_EQ("Unnamed module", LoadText(32000));
}

TEST_F(LangModules, EnumerationListsOnlyLoadableNamedModules) {
    Copy("ovenu.dll");
    Copy("ovrus.dll");
    Copy("ovnon.dll");
    dir.Write("ovbad.dll", "MZ this is no library");
    std::vector<std::string> found;
    for (EnumLangFiles e(Dir(), "ov???.dll", 9500); e.IsValid(); e.Next())
        found.push_back(e.Name() + "=" + e.LanguageName().c_str());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(
        (std::vector<std::string>{"ovenu.dll=English", std::string("ovrus.dll=") + kRussianName}),
        found);
}

TEST_F(LangModules, EveryModuleCarriesTheTextsAndMenuCommands) {
    const unsigned texts[] = {48, 49, 9415, 9416, 9417, 9500, 9501, 21000, 21001, 32000, 32001};
    const unsigned commands[] = {202, 203, 204, 205, 206,   207,   208,   209,  401, 402, 403,
                                 405, 501, 502, 666, 668,   801,   802,   806,  901, 903, 904,
                                 905, 906, 907, 908, 909,   910,   911,   912,  913, 914, 915,
                                 916, 917, 918, 920, 10001, 10005, 10006, 10009};
    for (const char* module : {"ovenu.dll", "ovrus.dll"}) {
        Copy(module);
        AStr code(AStr(module + 2, 3));
        ASSERT_TRUE(LoadLanguage(code, Dir())) << module;
        for (unsigned id : texts)
            EXPECT_FALSE(LoadText(id).IsEmpty()) << module << " string " << id;
        HMENU menu = static_cast<HMENU>(LoadMenu(1));
        ASSERT_NE(nullptr, menu) << module;
        for (unsigned id : commands)
            EXPECT_NE(static_cast<UINT>(-1), GetMenuState(menu, id, MF_BYCOMMAND))
                << module << " command " << id;
        DestroyMenu(menu);
        HMENU tray = static_cast<HMENU>(LoadMenu(2));
        ASSERT_NE(nullptr, tray) << module << ": the tray menu";
        EXPECT_EQ(420u, GetMenuItemID(GetSubMenu(tray, 0), 0)) << module << ": restore comes first";
        DestroyMenu(tray);
        HMODULE loaded = static_cast<HMODULE>(TheLanguage().Module());
        EXPECT_NE(nullptr, FindResourceW(loaded, MAKEINTRESOURCEW(5), L"GIF"))
            << module << ": the banner";
    }
}

TEST_F(LangModules, RussianTextsArrive1251Encoded) {
    Copy("ovrus.dll");
    AStr code("rus");
    ASSERT_TRUE(LoadLanguage(code, Dir()));
    EXPECT_EQ("\xCE\xF0\xE2\xE5\xEA\xF1 \xC2\xE8\xF1\xF2\xEE\xEC\xE5\xF0", LoadText(32000));
    EXPECT_EQ("\xCE\xF0\xE2", LoadText(32000, 4)) << "cut to the buffer";
}

TEST_F(LangModules, ErrorTextsComeFromTheModuleFirst) {
    Copy("ovenu.dll");
    AStr code("enu");
    ASSERT_TRUE(LoadLanguage(code, Dir()));
    EXPECT_EQ(LoadText(49), ErrorText(-1));
    EXPECT_EQ(LoadText(48), ErrorText(-2));
    EXPECT_EQ("Stopped", ErrorText(1223));
    EXPECT_EQ(LoadText(3), ProgramErrorText(2));
    EXPECT_EQ("Error #7 running programm", ProgramErrorText(7));
    EXPECT_EQ("Internet Error #12158 (0x2f7e)", ErrorText(12158));
    EXPECT_EQ("Lib Error #7777", DisplayText(7777));
    // The same trouble reads the same, met by WinInet or by WinSock.
    EXPECT_EQ(ErrorText(12029), ErrorText(10061));
    EXPECT_EQ(ErrorText(12007), ErrorText(11001));
    EXPECT_EQ(ErrorText(12002), ErrorText(10060));
    AStr http = LoadText(49);
    http += " (HTTP 404 Not Found)";
    EXPECT_EQ(http, CheckErrorText(-1, 404));
}

TEST_F(LangModules, TheLanguageObjectFreesOnlyModulesItOwns) {
    Copy("ovenu.dll");
    AStr code("enu");
    ASSERT_TRUE(LoadLanguage(code, Dir()));
    std::string path = dir.File("ovenu.dll");
    ASSERT_NE(nullptr, GetModuleHandleA(path.c_str()));
    TheLanguage().SetModule(nullptr, false);
    EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str())) << "owned: freed";

    HMODULE borrowed = LoadLibraryA(path.c_str());
    ASSERT_NE(nullptr, borrowed);
    TheLanguage().SetModule(borrowed, false);
    TheLanguage().SetModule(nullptr, false);
    EXPECT_EQ(borrowed, GetModuleHandleA(path.c_str())) << "borrowed: left alone";
    FreeLibrary(borrowed);
}

}  // namespace
