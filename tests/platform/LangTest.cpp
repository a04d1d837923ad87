// The language module rules that hold on every platform: the choice of
// module and help file by the files present, the formatting of texts from
// a module, the string-table layout and the fallbacks of the error texts.
#include "platform/Lang.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Files.h"
#include "platform/Resources.h"
#include "support/AStrPrinter.h"
#include "support/TempDir.h"

namespace {

class LangFiles : public ::testing::Test {
  protected:
    void SetUp() override { TheLanguage().SetModule(nullptr, false); }
    void TearDown() override { TheLanguage().SetModule(nullptr, false); }
    void Touch(const char* name) { dir.Write(name, "x"); }
    std::string Find(AStr& code, const char* extension) {
        return FindLanguageFile(dir.Path().c_str(), code, extension, false).c_str();
    }
    TempDir dir;
};

TEST_F(LangFiles, OwnCodeWinsOverEnglish) {
    Touch("ovenu.dll");
    Touch("ovrus.dll");
    AStr code("rus");
    EXPECT_EQ(dir.File("ovrus.dll"), Find(code, ".dll"));
    EXPECT_EQ("rus", code);
}

TEST_F(LangFiles, MissingCodeFallsBackToEnglish) {
    Touch("ovenu.dll");
    Touch("ovrus.dll");
    AStr code("deu");
    EXPECT_EQ(dir.File("ovenu.dll"), Find(code, ".dll"));
    EXPECT_EQ("enu", code);
}

TEST_F(LangFiles, HelpFileChoice) {
    AStr code("rus");
    EXPECT_EQ(dir.File("ovrus.hlp"), Find(code, ".hlp"))
        << "nothing present: the name for the code";
    EXPECT_EQ("rus", code);

    Touch("ovab.hlp");      // too short for a language file
    Touch("ovrussia.hlp");  // too long
    code = "rus";
    EXPECT_EQ(dir.File("ovrus.hlp"), Find(code, ".hlp"));

    Touch("ovger.hlp");
    code = "rus";
    EXPECT_EQ(dir.File("ovger.hlp"), Find(code, ".hlp")) << "the first file of the pattern";
    EXPECT_EQ("ger", code);

    Touch("ovenu.hlp");
    code = "rus";
    EXPECT_EQ(dir.File("ovenu.hlp"), Find(code, ".hlp"));
    EXPECT_EQ("enu", code);

    Touch("ovrus.hlp");
    code = "rus";
    EXPECT_EQ(dir.File("ovrus.hlp"), Find(code, ".hlp"));
    EXPECT_EQ("rus", code);
}

TEST_F(LangFiles, FoldersNamedLikeHelpFilesAreSkipped) {
    std::string sub = dir.File("ovxyz.hlp");
    ASSERT_TRUE(platform::MakeDirectory(sub.c_str()));
    AStr code("rus");
    EXPECT_EQ(dir.File("ovrus.hlp"), Find(code, ".hlp"));
    EXPECT_EQ("rus", code);
}

TEST_F(LangFiles, HelpFileFollowsTheCodeWithoutChangingIt) {
    Touch("ovrus.dll");
    Touch("ovenu.hlp");
    AStr code("rus");
    LoadLanguage(code, dir.Path().c_str());
    EXPECT_EQ("rus", code);
    EXPECT_EQ("rus", LanguageCode());
    EXPECT_EQ(dir.File("ovenu.hlp"), HelpFile().c_str());
}

TEST_F(LangFiles, StartUpChoiceReportsWhenTheCodeMustBeWrittenBack) {
    Touch("ovenu.dll");
    Touch("ovrus.dll");
    AStr code("deu");
    EXPECT_TRUE(ChooseLanguage(code, dir.Path().c_str()));
    EXPECT_EQ("enu", code);

    code = "0";
    EXPECT_TRUE(ChooseLanguage(code, dir.Path().c_str()));
    EXPECT_EQ("enu", code);

    code = "1";
    EXPECT_TRUE(ChooseLanguage(code, dir.Path().c_str()));
    EXPECT_EQ("rus", code);

    code = "rus";
    EXPECT_FALSE(ChooseLanguage(code, dir.Path().c_str()));
    EXPECT_EQ("rus", code);
}

TEST(LangCodes, ZeroAndOneNameEnglishAndRussian) {
    struct Case {
        const char* stored;
        const char* result;
        bool changed;
    } cases[] = {{"0", "enu", true}, {"1", "rus", true},  {"enu", "enu", false},
                 {"", "", false},    {"01", "01", false}, {"2", "2", false}};
    for (const Case& c : cases) {
        AStr code(c.stored);
        EXPECT_EQ(c.changed, NormalizeLanguageCode(code)) << c.stored;
        EXPECT_EQ(c.result, code) << c.stored;
    }
}

TEST(LangCodes, DateLocaleByLanguage) {
    EXPECT_EQ(1033u, LocaleForLanguage("enu"));
    EXPECT_EQ(1049u, LocaleForLanguage("RUS"));
    EXPECT_EQ(1031u, LocaleForLanguage("ger"));
    EXPECT_EQ(1024u, LocaleForLanguage("deu"));
    EXPECT_EQ(1024u, LocaleForLanguage(""));
}

// A string-table block as a module stores it, built entry by entry.
std::string Block(std::initializer_list<std::u16string> entries) {
    std::string b;
    for (const std::u16string& e : entries) {
        b += static_cast<char>(e.size() & 0xFF);
        b += static_cast<char>(e.size() >> 8);
        for (char16_t u : e) {
            b += static_cast<char>(u & 0xFF);
            b += static_cast<char>(u >> 8);
        }
    }
    return b;
}

TEST(LangStringTable, EntriesAreFoundByIndexAndConvertedTo1251) {
    std::string b = Block({u"", u"Hi", u"\u0414\u0430", u"a\U0001F600b"});
    AStr text;
    EXPECT_FALSE(platform::StringFromTableBlock(b.data(), b.size(), 0, &text, 1024));
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(platform::StringFromTableBlock(b.data(), b.size(), 1, &text, 1024));
    EXPECT_EQ("Hi", text);
    ASSERT_TRUE(platform::StringFromTableBlock(b.data(), b.size(), 2, &text, 1024));
    EXPECT_EQ("\xC4\xE0", text);
    ASSERT_TRUE(platform::StringFromTableBlock(b.data(), b.size(), 3, &text, 1024));
    EXPECT_EQ("a?b", text) << "a character outside 1251 is one question mark";
    ASSERT_TRUE(platform::StringFromTableBlock(b.data(), b.size(), 3, &text, 3));
    EXPECT_EQ("a?", text) << "cut to the buffer size less the terminator";
}

TEST(LangStringTable, ShortOrDamagedBlocksGiveNothing) {
    std::string b = Block({u"one", u"two"});
    AStr text("old");
    EXPECT_FALSE(platform::StringFromTableBlock(b.data(), b.size(), 2, &text, 1024));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(platform::StringFromTableBlock(b.data(), b.size() - 1, 1, &text, 1024));
    std::string huge =
        "\xFF\xFF"
        "ab";
    EXPECT_FALSE(platform::StringFromTableBlock(huge.data(), huge.size(), 0, &text, 1024));
    EXPECT_FALSE(platform::StringFromTableBlock(b.data(), b.size(), 16, &text, 1024));
    EXPECT_FALSE(platform::StringFromTableBlock(nullptr, 0, 0, &text, 1024));
}

TEST(LangFormat, ConversionsTakeTheirArgumentsInOrder) {
    EXPECT_EQ("3 new of 10", FormatWith("%d new of %u", {3, 10u}));
    EXPECT_EQ("Delete \"Page\"?", FormatWith("Delete \"%s\"?", {"Page"}));
    EXPECT_EQ("[  42][42  ][0042]", FormatWith("[%4d][%-4d][%04d]", {42, 42, 42}));
    EXPECT_EQ("ff FF 0xff", FormatWith("%x %X %#x", {255, 255, 255}));
    EXPECT_EQ("[ab]", FormatWith("[%.2s]", {"abc"}));
    EXPECT_EQ("[   7]", FormatWith("[%*d]", {4, 7}));
    EXPECT_EQ("100%", FormatWith("%d%%", {100}));
    EXPECT_EQ("Z", FormatWith("%c", {'Z'}));
}

TEST(LangFormat, IntegerSizesFollowTheWindowsWidths) {
    EXPECT_EQ("ffffffff", FormatWith("%x", {-1}));
    EXPECT_EQ("1", FormatWith("%ld", {(1LL << 32) + 1})) << "long is 32 bits";
    EXPECT_EQ("4294967297", FormatWith("%I64d", {(1LL << 32) + 1}));
    EXPECT_EQ("4294967297", FormatWith("%lld", {(1LL << 32) + 1}));
    EXPECT_EQ("4464", FormatWith("%hd", {70000}));
    EXPECT_EQ("4294967295", FormatWith("%u", {-1}));
}

TEST(LangFormat, BadFormatsAndArgumentsCannotMisreadMemory) {
    EXPECT_EQ("0 and ", FormatWith("%d and %s", {}));
    EXPECT_EQ("0", FormatWith("%d", {"text"}));
    EXPECT_EQ("12", FormatWith("%s", {12}));
    EXPECT_EQ("%n %y %", FormatWith("%n %y %", {1, 2, 3}));
    EXPECT_EQ(4096u, FormatWith("%999999999d", {1}).Length()) << "widths are bounded";
    EXPECT_EQ("x", FormatWith("%.999999999s", {"x"}));
    EXPECT_EQ("", FormatWith(nullptr, {1}));
}

TEST(LangTexts, WithoutAModuleTextsAreEmpty) {
    TheLanguage().SetModule(nullptr, false);
    EXPECT_TRUE(LoadText(32000).IsEmpty());
    EXPECT_EQ(nullptr, LoadMenu(1));
    EXPECT_EQ("Lib Error #32000", DisplayText(32000));
    EXPECT_TRUE(FormatText(9999, 5).IsEmpty());
    EXPECT_EQ("Error #2 running programm", ProgramErrorText(2));
}

TEST(LangTexts, NumberedErrorTextsCarryTheirRange) {
    struct Case {
        int32_t code;
        const char* text;
    } cases[] = {
        {0, "No error"},
        {-1, "Error #-1 (0xffffffff)"},
        {599, "Error #599 (0x257)"},
        {600, "Remote Access Error #600 (0x258)"},
        {752, "Remote Access Error #752 (0x2f0)"},
        {753, "Error #753 (0x2f1)"},
        {2100, "Network Error #2100 (0x834)"},
        {2999, "Network Error #2999 (0xbb7)"},
        {3000, "Error #3000 (0xbb8)"},
        {10000, "Window Socket Error #10000 (0x2710)"},
        {10120, "Window Socket Error #10120 (0x2788)"},
        {10121, "Error #10121 (0x2789)"},
        {11999, "Error #11999 (0x2edf)"},
        {12000, "Internet Error #12000 (0x2ee0)"},
        {12159, "Internet Error #12159 (0x2f7f)"},
        {12160, "Error #12160 (0x2f80)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, NumberedErrorText(c.code)) << c.code;
}

TEST(LangTexts, ErrorTextsFallBackToTheSystemThenToTheNumber) {
    TheLanguage().SetModule(nullptr, false);
    AStr missing = ErrorText(2);
    EXPECT_FALSE(missing.IsEmpty());
    EXPECT_NE(NumberedErrorText(2), missing) << "the system knows file not found";
    char last = missing.c_str()[missing.Length() - 1];
    EXPECT_TRUE(last != '\n' && last != '\r' && last != ' ');
    EXPECT_EQ("Internet Error #12007 (0x2ee7)", ErrorText(12007));
    EXPECT_EQ("Error #-2 (0xfffffffe)", ErrorText(-2));
}

#ifndef _WIN32
// The portable build carries the English module's texts, generated from the
// module's own script, so both front ends show the same words.
TEST(LangTexts, ThePortableBuildShowsTheEnglishModulesTexts) {
    TheLanguage().SetModule(platform::BuiltInTextModule(), false);
    EXPECT_EQ("The server answered with an error", ErrorText(-1));
    EXPECT_EQ("The page is empty", ErrorText(-2));
    EXPECT_EQ("The mail server refused the password", ErrorText(12015));
    EXPECT_EQ("The server name could not be found", ErrorText(12007));
    EXPECT_EQ(ErrorText(12007), ErrorText(11001));
    EXPECT_EQ("Could not connect to the server", ErrorText(12029));
    EXPECT_EQ(ErrorText(12029), ErrorText(10061))
        << "a closed port reads the same for web and mail";
    EXPECT_EQ(ErrorText(12002), ErrorText(10060));
    EXPECT_EQ("Internet Error #12158 (0x2f7e)", ErrorText(12158)) << "no text: the number";
    EXPECT_EQ("Copy the selection to the clipboard\nCopy", LoadText(203))
        << "named ids and escapes";
    EXPECT_EQ("Copy the", LoadText(203, 9)) << "cut to the buffer";
    EXPECT_EQ("The server answered with an error (HTTP 404 Not Found)", CheckErrorText(-1, 404));
    EXPECT_EQ("The server answered with an error (HTTP 503 Service Unavailable)",
              CheckErrorText(-1, 503));
    EXPECT_EQ("The server answered with an error (HTTP 499)", CheckErrorText(-1, 499));
    EXPECT_EQ("The mail server refused the password: -ERR [AUTH] Authentication failed.",
              CheckErrorText(12015, 0, "-ERR [AUTH] Authentication failed."));
    EXPECT_EQ("The page could not be compared with its stored copy", ErrorText(20000));
    TheLanguage().SetModule(nullptr, false);
}
#endif

}  // namespace
