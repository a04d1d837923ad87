// Program options through the settings file: the built-in defaults, the
// proxy and password rules, the new-object defaults and the round trip.
#include "watchlist/Options.h"

#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "support/TempDir.h"

namespace {

void ExpectNewObjectDefaults(const ItemProperties& d) {
    EXPECT_EQ(21600u, d.timedelta);
    EXPECT_EQ(kModeText, d.modify);
    EXPECT_EQ(kDeleteByCount, d.deltype);
    EXPECT_EQ(10, d.delparam);
    EXPECT_EQ(-1, d.minchanged);
    EXPECT_EQ(-1, d.skipnumchars);
    EXPECT_EQ(0, d.skipchanges);
    EXPECT_EQ(kFlagNewsTape | kFlagTables, d.flags);
    EXPECT_EQ(0x00FFFF00u, d.color);
    EXPECT_EQ(ItemEvent::kProgramWide, d.event.type);
    EXPECT_TRUE(d.name.IsEmpty());
    EXPECT_TRUE(d.address.IsEmpty());
}

void ExpectBuiltInOptions(const Options& o) {
    EXPECT_EQ("enu", o.language);
    EXPECT_EQ(33, o.split);
    EXPECT_FALSE(o.proxyOn);
    EXPECT_TRUE(o.proxy.IsEmpty());
    EXPECT_TRUE(o.proxyPort.IsEmpty());
    EXPECT_FALSE(o.savePassword);
    EXPECT_EQ(kEventBlink, o.event.type);
    EXPECT_EQ(0, o.outputLimit);
    EXPECT_FALSE(o.suspended);
    EXPECT_EQ(3, o.maxThreads);
    EXPECT_EQ(0, o.maxNews);
    EXPECT_EQ(0u, o.searchHistory.Count());
    ExpectNewObjectDefaults(o.defaults);
}

}  // namespace

TEST(LoadOptions, MissingOrDamagedFilesGiveTheBuiltInDefaults) {
    TempDir dir;
    Options missing;
    LoadOptions(missing, dir.File("ovisto.ini"));
    ExpectBuiltInOptions(missing);

    const char bytes[] = "\0\x01\xff[Opt\r\n=\n[]\n\xfe==\x02";
    std::string garbage(bytes, sizeof bytes - 1);
    Options damaged;
    LoadOptions(damaged, dir.Write("damaged.ini", garbage));
    ExpectBuiltInOptions(damaged);
}

TEST(LoadOptions, MailStlsOutOfRangeMeansWhenOffered) {
    TempDir dir;
    Options o;
    EXPECT_EQ(1, o.mailStls);
    o.mailStls = 0;
    LoadOptions(o, dir.Write("stls.ini", "[Options]\nMailSTLS=7\n"));
    EXPECT_EQ(1, o.mailStls);
    LoadOptions(o, dir.Write("never.ini", "[Options]\nMailSTLS=0\n"));
    EXPECT_EQ(0, o.mailStls);
}

TEST(LoadOptions, ProxyHostWithPortAndAnExplicitPortKey) {
    TempDir dir;
    Options colon;
    LoadOptions(colon, dir.Write("a.ini", "[Proxy]\r\nUse=1\r\nProxy=cache.example:8080\r\n"));
    EXPECT_TRUE(colon.proxyOn);
    EXPECT_EQ("cache.example", colon.proxy);
    EXPECT_EQ("8080", colon.proxyPort);

    Options port;
    LoadOptions(port, dir.Write("b.ini", "[Proxy]\r\nProxy=cache.example:8080\r\nPort=3128\r\n"));
    EXPECT_EQ("cache.example", port.proxy);
    EXPECT_EQ("3128", port.proxyPort);
}

TEST(LoadOptions, WithoutADefaultSectionNewObjectsGetTheBuiltInDefaults) {
    TempDir dir;
    Options o;
    LoadOptions(o, dir.Write("a.ini", "[Options]\r\nlanguage=rus\r\nmaxthreads=0\r\n"));
    EXPECT_EQ("rus", o.language);
    EXPECT_EQ(0, o.maxThreads);
    ExpectNewObjectDefaults(o.defaults);
}

TEST(LoadOptions, DefaultSectionKeys) {
    TempDir dir;
    Options o;
    LoadOptions(o, dir.Write("a.ini",
                             "[Default]\r\ntimedelta=3600\r\nkeywords=news\r\ndeltype=1\r\n"
                             "delparam=-1\r\nminchanged=3\r\nskipchanges=1\r\nmodify=2\r\n"
                             "skipnumchars=12\r\nskipkeywords=ads\r\nNewsTape=0\r\ncolor=\r\n"
                             "defeventtype=4\r\ndefeventparam=notify.exe\r\n"));
    const ItemProperties& d = o.defaults;
    EXPECT_EQ(3600u, d.timedelta);
    EXPECT_EQ("news", d.keywords);
    EXPECT_EQ(kDeleteByAge, d.deltype);
    EXPECT_EQ(-1, d.delparam);
    EXPECT_EQ(3, d.minchanged);
    EXPECT_EQ(1, d.skipchanges);
    EXPECT_EQ(kModeLinks, d.modify);
    EXPECT_EQ(12, d.skipnumchars);
    EXPECT_EQ("ads", d.skipkeywords);
    EXPECT_EQ(kFlagTables, d.flags);  // news tape cleared, the others kept
    EXPECT_EQ(0x00FFFF00u, d.color);  // an empty colour keeps the default
    EXPECT_EQ(kEventRunProgram, d.event.type);
    EXPECT_EQ("notify.exe", d.event.param);
}

TEST(LoadOptions, PasswordIsReadOnlyWhenItIsSaved) {
    TempDir dir;
    Options unsaved;
    unsaved.proxyPassword = "left over";
    LoadOptions(unsaved, dir.Write("a.ini", "[Proxy]\r\nSave Password=0\r\nPassword=MHMIMJ\r\n"));
    EXPECT_TRUE(unsaved.proxyPassword.IsEmpty());

    Options saved;
    LoadOptions(saved, dir.Write("b.ini", "[Proxy]\r\nSave Password=1\r\nPassword=MHMIMJ\r\n"));
    EXPECT_EQ("abc", saved.proxyPassword);

    Options odd;
    LoadOptions(odd, dir.Write("c.ini", "[Proxy]\r\nSave Password=1\r\nPassword=MHMIM\r\n"));
    EXPECT_TRUE(odd.proxyPassword.IsEmpty());
}

TEST(SaveOptions, AnUnsavedPasswordIsWrittenEmpty) {
    TempDir dir;
    std::string ini = dir.File("ovisto.ini");
    Options o;
    o.proxyPassword = "secret";
    SaveOptions(o, ini);
    platform::ProfileFile file(ini);
    EXPECT_TRUE(file.HasKey("Proxy", "Password"));
    EXPECT_EQ("", file.ReadText("Proxy", "Password", "x"));
    EXPECT_EQ(std::string::npos, TempDir::Read(ini).find("secret"));

    o.savePassword = true;
    o.proxyPassword = "abc";
    SaveOptions(o, ini);
    EXPECT_EQ("MHMIMJ", file.ReadText("Proxy", "Password", ""));
}

TEST(SaveOptions, EveryFieldComesBack) {
    TempDir dir;
    std::string ini = dir.File("ovisto.ini");
    Options o;
    o.language = "ger";
    o.split = 41;
    o.proxyOn = true;
    o.proxy = "proxy.local";
    o.proxyPort = "3128";
    o.proxyUser = "me";
    o.savePassword = true;
    o.proxyPassword = "p\xe0ss";
    o.event.type = kEventSound;
    o.event.param = "C:\\sounds\\ding.wav";
    o.outputLimit = 200;
    o.suspended = true;
    o.maxThreads = 5;
    o.maxNews = 7;
    o.mailStls = 2;
    o.trustedCerts = "pop.example.org:AB01";
    o.maxPageBytes = 4096 * 1024;
    o.checkSeconds = 90;
    o.searchHistory.Add("\"exact phrase\"");
    o.searchHistory.Add("plain");
    o.searchMatchCase = true;
    o.searchWholeWord = true;
    SaveOptions(o, ini);

    Options back;
    LoadOptions(back, ini);
    EXPECT_EQ("ger", back.language);
    EXPECT_EQ(41, back.split);
    EXPECT_TRUE(back.proxyOn);
    EXPECT_EQ("proxy.local", back.proxy);
    EXPECT_EQ("3128", back.proxyPort);
    EXPECT_EQ("me", back.proxyUser);
    EXPECT_TRUE(back.savePassword);
    EXPECT_EQ("p\xe0ss", back.proxyPassword);
    EXPECT_EQ(kEventSound, back.event.type);
    EXPECT_EQ("C:\\sounds\\ding.wav", back.event.param);
    EXPECT_EQ(200, back.outputLimit);
    EXPECT_TRUE(back.suspended);
    EXPECT_EQ(5, back.maxThreads);
    EXPECT_EQ(7, back.maxNews);
    EXPECT_EQ(2, back.mailStls);
    EXPECT_EQ("pop.example.org:AB01", back.trustedCerts);
    EXPECT_EQ(4096u * 1024, back.maxPageBytes);
    EXPECT_EQ(90u, back.checkSeconds);
    ASSERT_EQ(2u, back.searchHistory.Count());
    EXPECT_EQ("\"exact phrase\"", *back.searchHistory.First());
    EXPECT_EQ("plain", *back.searchHistory.Last());
    EXPECT_TRUE(back.searchMatchCase);
    EXPECT_TRUE(back.searchWholeWord);
    // SaveOptions leaves the new-object defaults alone.
    EXPECT_FALSE(platform::ProfileFile(ini).HasKey("Default", "timedelta"));
}

TEST(SaveDefaults, TheDefaultSectionComesBack) {
    TempDir dir;
    std::string ini = dir.Write("ovisto.ini", "[Options]\r\nlanguage=rus\r\n");
    ItemProperties d = NewObjectDefaults();
    d.timedelta = 86400;
    d.keywords = "a & b";
    d.deltype = kDeleteByAge;
    d.delparam = 604800;
    d.minchanged = 2;
    d.skipchanges = 1;
    d.modify = kModeNone;
    d.skipnumchars = 5;
    d.skipkeywords = "c";
    d.flags = kFlagTables;
    d.color = 0x000000FF;
    d.event.type = kEventMessage;
    d.event.param = "x";
    SaveDefaults(d, ini);

    Options back;
    LoadOptions(back, ini);
    EXPECT_EQ("rus", back.language);
    const ItemProperties& b = back.defaults;
    EXPECT_EQ(86400u, b.timedelta);
    EXPECT_EQ("a & b", b.keywords);
    EXPECT_EQ(kDeleteByAge, b.deltype);
    EXPECT_EQ(604800, b.delparam);
    EXPECT_EQ(2, b.minchanged);
    EXPECT_EQ(1, b.skipchanges);
    EXPECT_EQ(kModeNone, b.modify);
    EXPECT_EQ(5, b.skipnumchars);
    EXPECT_EQ("c", b.skipkeywords);
    EXPECT_EQ(kFlagTables, b.flags);
    EXPECT_EQ(0x000000FFu, b.color);
    EXPECT_EQ(kEventMessage, b.event.type);
    EXPECT_EQ("x", b.event.param);
}

TEST(Options, CopiesAreIndependent) {
    Options a;
    a.searchHistory.Add("one");
    Options b(a);
    b.searchHistory.Add("two");
    b.language = "rus";
    EXPECT_EQ(1u, a.searchHistory.Count());
    EXPECT_EQ("enu", a.language);
    a = b;
    EXPECT_EQ(2u, a.searchHistory.Count());
    EXPECT_EQ("rus", a.language);
}
