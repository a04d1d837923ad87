#include "shell/gui/DText.h"

#include <gtest/gtest.h>

#include "shell/ProgramPaths.h"
#include "support/AStrPrinter.h"

namespace {

TEST(WindowText, TextsFollowTheDisplayRule) {
    EXPECT_EQ(std::wstring(L"\u0414\u0430"), WideText("\xC4\xE0")) << "1251";
    EXPECT_EQ(std::wstring(L"\u0414\u0430"), WideText("\xD0\x94\xD0\xB0")) << "UTF-8";
    EXPECT_EQ(std::wstring(L"a\U0001F600"), WideText("a\xF0\x9F\x98\x80"))
        << "beyond 16 bits: a pair";
    EXPECT_EQ(std::wstring(L"\u0420"), WideText("\xD0\xA0"))
        << "two 1251 letters that form UTF-8 count as UTF-8";
    EXPECT_EQ(std::wstring(L"\u0420\u0430\u0420"), WideText("\xD0\xE0\xD0")) << "not UTF-8: 1251";
    EXPECT_EQ(std::wstring(L""), WideText(nullptr));
    EXPECT_EQ(std::wstring(L"plain"), WideText("plain"));
}

TEST(WindowText, SystemTextsComeBackIn1251) {
    EXPECT_EQ("\xC4\xE0", NarrowText(L"\u0414\u0430"));
    EXPECT_EQ("a?", NarrowText(L"a\U0001F600")) << "one question mark per character";
    EXPECT_EQ("", NarrowText(nullptr));
}

TEST(ProgramPaths, FilesInTheProgramDirectoryAndItsSubFolders) {
    SetProgramInstance(nullptr);
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    dir.resize(dir.find_last_of('\\'));
    EXPECT_EQ(dir + "\\OVISTO.CFG", ProgramPath("OVISTO.CFG"));
    EXPECT_EQ(dir + "\\USER\\OV000001.HTM", ProgramPath("OV000001", ".HTM", "USER"));
}

}  // namespace
