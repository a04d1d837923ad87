// Settings files as both builds see them: reading with defaults, names
// without regard to case, quote removal, and writes that keep the rest.
#include "platform/Files.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"

using platform::ProfileFile;

namespace {

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
    TempDir dir;
    ProfileFile none(dir.File("none.ini"));
    EXPECT_EQ("dflt", none.ReadText("Options", "language", "dflt"));
    EXPECT_EQ(-7, none.ReadInt("Options", "width1", -7));
    EXPECT_EQ(21600u, none.ReadNumber("Default", "timedelta", 21600));
    EXPECT_FALSE(none.HasKey("Options", "language"));

    ProfileFile ini(dir.Write("a.ini", "[Options]\r\nlanguage=rus\r\n"));
    EXPECT_EQ("x", ini.ReadText("Proxy", "language", "x"));
    EXPECT_EQ("x", ini.ReadText("Options", "languages", "x"));
    EXPECT_TRUE(ini.HasKey("options", "LANGUAGE"));
}

TEST(ProfileRead, NamesIgnoreCaseAndValuesLoseBlanksAndOnePairOfQuotes) {
    TempDir dir;
    ProfileFile ini(dir.Write("a.ini",
                              "[Options]\n"
                              "Language = ger \n"
                              "[Proxy]\r\n"
                              "  Proxy=\"host:8080\"\r\n"
                              "single='it'\r\n"
                              "double=\"\"two\"\"\r\n"
                              "open=\"only at the start\r\n"
                              "mixed=\"a'\r\n"
                              "empty=\r\n"));
    EXPECT_EQ("ger", ini.ReadText("OPTIONS", "language", ""));
    EXPECT_EQ("host:8080", ini.ReadText("proxy", "PROXY", ""));
    EXPECT_EQ("it", ini.ReadText("Proxy", "single", ""));
    EXPECT_EQ("\"two\"", ini.ReadText("Proxy", "double", ""));
    EXPECT_EQ("\"only at the start", ini.ReadText("Proxy", "open", ""));
    EXPECT_EQ("\"a'", ini.ReadText("Proxy", "mixed", ""));
    EXPECT_EQ("", ini.ReadText("Proxy", "empty", "dflt"));
    EXPECT_TRUE(ini.HasKey("Proxy", "empty"));
}

TEST(ProfileRead, NumbersFromText) {
    TempDir dir;
    ProfileFile ini(dir.Write("a.ini",
                              "[N]\r\nneg=  -12abc\r\nword=abc\r\nplus=+5\r\nbig=4294967295\r\n"
                              "minus=-1\r\nempty=\r\n"));
    EXPECT_EQ(-12, ini.ReadInt("N", "neg", 99));
    EXPECT_EQ(0, ini.ReadInt("N", "word", 99));
    EXPECT_EQ(5, ini.ReadInt("N", "plus", 99));
    EXPECT_EQ(0, ini.ReadInt("N", "empty", 99));
    EXPECT_EQ(0xFFFFFFFFu, ini.ReadNumber("N", "big", 1));
    EXPECT_EQ(0xFFFFFFFFu, ini.ReadNumber("N", "minus", 1));
    EXPECT_EQ(0u, ini.ReadNumber("N", "word", 1));
    // Far too many digits wrap without overflowing (the sanitizer build checks).
    ProfileFile huge(dir.Write("b.ini", "[N]\r\nv=-99999999999999999999999999\r\n"));
    huge.ReadInt("N", "v", 0);
}

TEST(ProfileWrite, ChangesOnlyTheKeyItIsAbout) {
    TempDir dir;
    std::string path = dir.Write("a.ini",
                                 "; settings of the watcher\r\n"
                                 "[Options]\r\n"
                                 "language=enu\r\n"
                                 "width1=40\r\n"
                                 "\r\n"
                                 "[Search]\r\n"
                                 "bCase=1\r\n");
    ProfileFile ini(path);
    EXPECT_TRUE(ini.WriteText("OPTIONS", "Language", "rus"));
    EXPECT_TRUE(ini.WriteSigned("Options", "maxnews", -3));
    EXPECT_TRUE(ini.WriteUnsigned("Default", "color", 4294967295ul));

    EXPECT_EQ("rus", ini.ReadText("Options", "language", ""));
    EXPECT_EQ(40, ini.ReadInt("Options", "width1", 0));
    EXPECT_EQ(-3, ini.ReadInt("Options", "maxnews", 0));
    EXPECT_EQ(1, ini.ReadInt("Search", "bCase", 0));
    EXPECT_EQ(0xFFFFFFFFu, ini.ReadNumber("Default", "color", 0));
    std::string bytes = TempDir::Read(path);
    EXPECT_NE(std::string::npos, bytes.find("; settings of the watcher"));
    // The new key joins its own section, not the one after it.
    EXPECT_LT(bytes.find("maxnews"), bytes.find("[Search]"));
    EXPECT_EQ(1u, Occurrences(bytes, "language="));
}

TEST(ProfileWrite, DeletesKeysAndSections) {
    TempDir dir;
    std::string path = dir.Write("a.ini", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\nw=4\r\n");
    ProfileFile ini(path);
    EXPECT_TRUE(ini.DeleteKey("a", "X"));
    EXPECT_FALSE(ini.HasKey("A", "x"));
    EXPECT_EQ(2, ini.ReadInt("A", "y", 0));
    EXPECT_TRUE(ini.DeleteSection("b"));
    EXPECT_FALSE(ini.HasKey("B", "z"));
    EXPECT_EQ(4, ini.ReadInt("C", "w", 0));
    EXPECT_EQ(std::string::npos, TempDir::Read(path).find("[B]"));
    EXPECT_TRUE(ini.DeleteKey("Nowhere", "k"));
}

TEST(ProfileWrite, DeletingASectionTakesEveryCopyOfIt) {
    TempDir dir;
    ProfileFile ini(
        dir.Write("a.ini", "[H]\r\ncount=0\r\n[A]\r\nx=1\r\n[h]\r\ncount=3\r\n0=y\r\n"));
    EXPECT_TRUE(ini.DeleteSection("H"));
    EXPECT_FALSE(ini.HasKey("H", "count"));
    EXPECT_EQ(1, ini.ReadInt("A", "x", 0));
}

TEST(ProfileWrite, CreatesTheFileAndKeepsLongValuesAndCutsLineBreaks) {
    TempDir dir;
    ProfileFile ini(dir.File("new.ini"));
    std::string longValue(5000, 'v');
    longValue[4999] = 'e';
    EXPECT_TRUE(ini.WriteText("Long", "value", longValue.c_str()));
    EXPECT_EQ(longValue, ini.ReadText("Long", "value", "").c_str());
    EXPECT_TRUE(ini.WriteText("Typed", "text", "first line\r\nsecond=line"));
    EXPECT_EQ("first line", ini.ReadText("Typed", "text", ""));
    EXPECT_FALSE(ini.HasKey("Typed", "second"));

    ProfileFile nowhere(dir.File("no-such-folder") + platform::PathSeparator() + "x.ini");
    EXPECT_FALSE(nowhere.WriteText("A", "b", "c"));
}

TEST(ProfileList, EntriesComeBackAsWrittenWhateverTheirQuotes) {
    TempDir dir;
    ProfileFile ini(dir.File("list.ini"));
    const char* entries[] = {"plain",        "\"quoted\"", "'single'", " leading blank",
                             "ends with \"", "\"",         "",         "a \"middle\" quote"};
    StrList list;
    for (const char* e : entries) list.Add(e);
    EXPECT_TRUE(ini.WriteList("HistorySearchString", list));
    EXPECT_EQ(8, ini.ReadInt("HistorySearchString", "count", 0));

    StrList back;
    ini.ReadList("historysearchstring", back);
    ASSERT_EQ(8u, back.Count());
    size_t i = 0;
    for (StrNode* n = back.First(); n; n = n->Next(), ++i) EXPECT_EQ(entries[i], *n) << i;

    StrList shorter;
    shorter.Add("only");
    EXPECT_TRUE(ini.WriteList("HistorySearchString", shorter));
    EXPECT_FALSE(ini.HasKey("HistorySearchString", "1"));

    StrList empty;
    EXPECT_TRUE(ini.WriteList("HistorySearchString", empty));
    EXPECT_FALSE(ini.HasKey("HistorySearchString", "count"));
    StrList none;
    ini.ReadList("HistorySearchString", none);
    EXPECT_EQ(0u, none.Count());
}

TEST(ProfileList, ACountBeyondTheKeysStopsAtTheFirstMissingKey) {
    TempDir dir;
    ProfileFile ini(dir.Write("a.ini", "[H]\r\ncount=2000000000\r\n0=one\r\n1=two\r\n"));
    StrList list;
    ini.ReadList("H", list);
    EXPECT_EQ(2u, list.Count());
}
