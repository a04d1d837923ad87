// Objects made, changed, moved and removed through the program, and the
// errors a user gets for a wrong command line or a wrong name.
#include "cli/CliProcess.h"

using nlohmann::json;

TEST_F(CliTest, AddedPageTakesTheDefaultsModeOneAndTheTypedUrlNormalised) {
    ASSERT_EQ(0, Cli({"options", "Default.timedelta=120", "Default.keywords=rain"}).status);
    CliOutcome added = Cli({"add", "example.org/weather", "--name", "Погода", "--keep", "count:5"});
    ASSERT_EQ(0, added.status) << added.err;

    json page = CliJson({"show", "Погода"});
    EXPECT_EQ("page", page["kind"]);
    EXPECT_EQ("http://example.org/weather", page["address"]);
    EXPECT_EQ(120, page["timedelta"]);
    EXPECT_EQ("rain", page["keywords"]);
    EXPECT_EQ(1, page["modify"]);
    EXPECT_EQ(2, page["deltype"]);
    EXPECT_EQ(5, page["delparam"]);
    EXPECT_EQ(1, page["copyNumber"]);
    EXPECT_EQ(2, page["marks"]) << "checking switched on";
    // The name is kept in the working code page, not as typed UTF-8.
    std::string file = TempDir::Read(WatchListFile());
    EXPECT_NE(std::string::npos, file.find("\xCF\xEE\xE3\xEE\xE4\xE0"));
}

TEST_F(CliTest, EveryObjectOptionReachesItsField) {
    ASSERT_EQ(0, Cli({"add",
                      "http://a.test/",
                      "--name",
                      "A",
                      "--period",
                      "90",
                      "--mode",
                      "2",
                      "--skip-keywords",
                      "ads",
                      "--min-changed",
                      "3",
                      "--skip-chars",
                      "7",
                      "--skip-no-letters",
                      "--keep",
                      "age:3600",
                      "--event",
                      "program:\"/bin/true\" -x",
                      "--color",
                      "1020FF",
                      "--text-log",
                      "--no-tables",
                      "--protected"})
                     .status);
    json a = CliJson({"show", "A"});
    EXPECT_EQ(90, a["timedelta"]);
    EXPECT_EQ(2, a["modify"]);
    EXPECT_EQ("ads", a["skipkeywords"]);
    EXPECT_EQ(3, a["minchanged"]);
    EXPECT_EQ(7, a["skipnumchars"]);
    EXPECT_EQ(1, a["skipchanges"]);
    EXPECT_EQ(1, a["deltype"]);
    EXPECT_EQ(3600, a["delparam"]);
    EXPECT_EQ(4, a["eventType"]);
    EXPECT_EQ("\"/bin/true\" -x", a["eventParam"]);
    EXPECT_EQ(0xFF2010u, a["color"].get<uint32_t>()) << "a COLORREF holds red in the low byte";
    EXPECT_EQ(1 | 2 | 4, a["flags"]) << "protected, news tape (default), text log; no tables";

    ASSERT_EQ(0, Cli({"edit", "A", "--event", "none", "--no-protected", "--keep", "all"}).status);
    a = CliJson({"show", "A"});
    EXPECT_EQ(0, a["eventType"]);
    EXPECT_EQ(0, a["deltype"]);
    EXPECT_EQ(2 | 4, a["flags"]);
}

TEST_F(CliTest, MailboxPasswordIsShownMaskedAndStoredScrambled) {
    CliOutcome r = Cli({"add-mailbox", "--server", "pop.example.org", "--user", "bob", "--password",
                        "s3cret", "--port", "995"});
    ASSERT_EQ(0, r.status) << r.err;
    json listed = CliJson({"list"});
    ASSERT_EQ(1u, listed["objects"].size());
    EXPECT_EQ("mailbox", listed["objects"][0]["kind"]);
    EXPECT_EQ("pop.example.org", listed["objects"][0]["path"]);
    EXPECT_EQ("mailto:bob:***@pop.example.org:995", listed["objects"][0]["address"]);
    CliOutcome text = Cli({"list"});
    EXPECT_EQ(std::string::npos, text.out.find("s3cret"));
    EXPECT_EQ(std::string::npos, TempDir::Read(WatchListFile()).find("s3cret"));

    json dumped = CliJson({"dump", WatchListFile()});
    EXPECT_EQ("mailto:bob:***@pop.example.org:995", dumped["objects"][0]["address"]);
    dumped = CliJson({"dump", WatchListFile(), "--show-passwords"});
    EXPECT_EQ("mailto:bob:s3cret@pop.example.org:995", dumped["objects"][0]["address"]);
}

TEST_F(CliTest, MailboxSecurityIsChosenByAddressAndOptions) {
    CliOutcome tls = Cli({"add-mailbox", "--server", "pop.example.org", "--user", "bob",
                          "--password", "pw", "--port", "1995", "--tls"});
    ASSERT_EQ(0, tls.status) << tls.err;
    EXPECT_NE(std::string::npos, tls.out.find("security: TLS"));
    EXPECT_EQ("mailto:bob:***@pop.example.org:1995/tls", CliJson({"show", "#1"})["address"]);
    ASSERT_EQ(0, Cli({"edit", "#1", "--no-tls"}).status);
    EXPECT_EQ("mailto:bob:***@pop.example.org:1995", CliJson({"show", "#1"})["address"]);
    EXPECT_TRUE(CliJson({"show", "#1"})["security"].is_null()) << "not checked yet";

    ASSERT_EQ(0, Cli({"options", "Options.MailSTLS=required"}).status);
    EXPECT_EQ("required", CliJson({"options", "Options.MailSTLS"})["Options.MailSTLS"]);
    EXPECT_NE(std::string::npos, TempDir::Read(dir.File("ovisto.ini")).find("MailSTLS=2"));
    EXPECT_EQ(2, Cli({"options", "Options.MailSTLS=sometimes"}).status);
    CliOutcome plain =
        Cli({"add-mailbox", "--server", "mx.example.org", "--user", "a", "--password", "b"});
    EXPECT_NE(std::string::npos, plain.out.find("security: STLS, required"));

    const std::string print =
        "ab:CD:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:"
        "67:89";
    ASSERT_EQ(0, Cli({"options", "Options.TrustedCerts=Pop.Example.org:" + print}).status);
    EXPECT_EQ("pop.example.org:ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789",
              CliJson({"options", "Options.TrustedCerts"})["Options.TrustedCerts"]);
    EXPECT_EQ(2, Cli({"options", "Options.TrustedCerts=pop.example.org:ABCD"}).status)
        << "too short";
    EXPECT_EQ(2, Cli({"options", "Options.TrustedCerts=nohost"}).status);
}

TEST_F(CliTest, FoldersPathsNumbersAndMoves) {
    ASSERT_EQ(0, Cli({"add-folder", "News", "--news-tape"}).status);
    ASSERT_EQ(0, Cli({"add-folder", "Old", "--in", "News"}).status);
    ASSERT_EQ(0, Cli({"add", "http://w.test/", "--name", "Weather report", "--in", "News"}).status);
    ASSERT_EQ(0, Cli({"add", "http://x.test/", "--name", "X"}).status);

    json listed = CliJson({"list"});
    ASSERT_NE(nullptr, FindListed(listed["objects"], "News/Weather report"));
    EXPECT_EQ("Weather report", CliJson({"show", "#3"})["name"]) << "pre-order numbers";
    EXPECT_EQ("News/Old", CliJson({"show", "#2"})["path"]);

    ASSERT_EQ(0, Cli({"move", "X", "--in", "News/Old"}).status);
    EXPECT_EQ("News/Old/X", CliJson({"show", "#3"})["path"]);
    CliOutcome intoItself = Cli({"move", "News", "--in", "News/Old"});
    EXPECT_EQ(2, intoItself.status);
    EXPECT_NE(std::string::npos, intoItself.err.find("into itself"));
    ASSERT_EQ(0, Cli({"move", "News/Old", "--in", "/"}).status);
    EXPECT_NE(nullptr, FindListed(CliJson({"list"})["objects"], "Old/X"));
}

TEST_F(CliTest, SwitchingOffAFolderSwitchesOffEverythingBelowAndOnAgain) {
    ASSERT_EQ(0, Cli({"add-folder", "F"}).status);
    ASSERT_EQ(0, Cli({"add", "http://a.test/", "--name", "A", "--in", "F"}).status);
    ASSERT_EQ(0, Cli({"off", "F"}).status);
    json listed = CliJson({"list"});
    EXPECT_EQ("off", FindListed(listed["objects"], "F")->at("state"));
    EXPECT_EQ("off", FindListed(listed["objects"], "F/A")->at("state"));
    ASSERT_EQ(0, Cli({"on", "F"}).status);
    listed = CliJson({"list"});
    EXPECT_EQ(2, FindListed(listed["objects"], "F/A")->at("marks"));
    EXPECT_NE("off", FindListed(listed["objects"], "F")->at("state"));
}

TEST_F(CliTest, ProtectedObjectsAreRefusedByRemoveAndTheRestIsRemoved) {
    ASSERT_EQ(0, Cli({"add-folder", "Keep"}).status);
    ASSERT_EQ(0,
              Cli({"add", "http://p.test/", "--name", "P", "--in", "Keep", "--protected"}).status);
    ASSERT_EQ(0, Cli({"add", "http://q.test/", "--name", "Q"}).status);

    CliOutcome r = Cli({"remove", "Keep", "Q"});
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("Keep is protected"));
    json listed = CliJson({"list"});
    EXPECT_NE(nullptr, FindListed(listed["objects"], "Keep/P"));
    EXPECT_EQ(nullptr, FindListed(listed["objects"], "Q"));

    ASSERT_EQ(0, Cli({"edit", "Keep/P", "--no-protected"}).status);
    EXPECT_EQ(0, Cli({"remove", "Keep"}).status);
    EXPECT_TRUE(CliJson({"list"})["objects"].empty());
}

TEST_F(CliTest, ABadPathIsExitTwoAndChangesNothing) {
    ASSERT_EQ(0, Cli({"add", "http://a.test/", "--name", "A"}).status);
    std::string before = TempDir::Read(WatchListFile());
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"show", "B"},
                                               {"remove", "A", "B"},
                                               {"edit", "#7", "--period", "5"},
                                               {"add", "http://b.test/", "--in", "A"},
                                               {"seen", "A/B"}}) {
        CliOutcome r = Cli(args);
        EXPECT_EQ(2, r.status) << args[0];
        EXPECT_FALSE(r.err.empty()) << args[0];
        EXPECT_TRUE(r.out.empty()) << args[0];
    }
    EXPECT_EQ(before, TempDir::Read(WatchListFile()));
}

TEST_F(CliTest, UsageErrorsAreExitOne) {
    EXPECT_EQ(1, Cli({}).status);
    EXPECT_EQ(1, Cli({"frobnicate"}).status);
    EXPECT_EQ(1, Cli({"add"}).status);
    EXPECT_EQ(1, Cli({"add", "http://a.test/", "--colour", "FF0000"}).status);
    EXPECT_EQ(1, Cli({"list", "--json=1"}).status);
    CliOutcome badValue = Cli({"add", "http://a.test/", "--mode", "7"});
    EXPECT_EQ(2, badValue.status) << "a wrong value is bad input, not a usage error";
    EXPECT_NE(std::string::npos, badValue.err.find("--mode"));
    EXPECT_EQ(0, Cli({"--help"}).status);
}

TEST_F(CliTest, OptionsAreShownAndChangedByTheirSettingsNames) {
    ASSERT_EQ(0, Cli({"options", "Options.maxthreads=5", "Proxy.Proxy=cache.test"}).status);
    json shown = CliJson({"options", "options.MAXTHREADS", "Proxy.Proxy", "Default.modify"});
    EXPECT_EQ("5", shown["Options.maxthreads"]);
    EXPECT_EQ("cache.test", shown["Proxy.Proxy"]);
    EXPECT_EQ("1", shown["Default.modify"]);
    EXPECT_NE(std::string::npos, TempDir::Read(dir.File("ovisto.ini")).find("maxthreads=5"));
    EXPECT_EQ(2, Cli({"options", "Options.nothing=1"}).status);
    EXPECT_EQ(2, Cli({"options", "Options.maxthreads=lots"}).status);
    EXPECT_EQ("5", CliJson({"options", "Options.maxthreads"})["Options.maxthreads"]);

    // The limits of one check.
    ASSERT_EQ(0, Cli({"options", "Options.maxpagesize=1048576", "Options.checktime=90"}).status);
    json limits = CliJson({"options", "Options.maxpagesize", "Options.checktime"});
    EXPECT_EQ("1048576", limits["Options.maxpagesize"]);
    EXPECT_EQ("90", limits["Options.checktime"]);
    EXPECT_NE(std::string::npos, TempDir::Read(dir.File("ovisto.ini")).find("checktime=90"));
    EXPECT_EQ(2, Cli({"options", "Options.checktime=700000"}).status) << "more than a week";
}

TEST_F(CliTest, AProxyIsAHostOrHostAndPortAndAnUnsavedPasswordIsRefused) {
    CliOutcome url = Cli({"options", "Proxy.Proxy=http://cache.test:3128"});
    EXPECT_EQ(2, url.status);
    EXPECT_NE(std::string::npos, url.err.find("host:port")) << url.err;
    ASSERT_EQ(0, Cli({"options", "Proxy.Proxy=cache.test:3128"}).status);
    json shown = CliJson({"options", "Proxy.Proxy", "Proxy.Port"});
    EXPECT_EQ("cache.test", shown["Proxy.Proxy"]);
    EXPECT_EQ("3128", shown["Proxy.Port"]);
    EXPECT_EQ(2, Cli({"options", "Proxy.Proxy=cache.test:port"}).status);

    CliOutcome unsaved = Cli({"options", "Proxy.Password=pw"});
    EXPECT_EQ(2, unsaved.status);
    EXPECT_NE(std::string::npos, unsaved.err.find("Save Password")) << unsaved.err;
    EXPECT_EQ("", CliJson({"options", "Proxy.Password"})["Proxy.Password"]);
    ASSERT_EQ(0, Cli({"options", "Proxy.Save Password=1", "Proxy.Password=pw"}).status);
    EXPECT_EQ("***", CliJson({"options", "Proxy.Password"})["Proxy.Password"]);
}

TEST_F(CliTest, EveryCommandExplainsItselfWithHelp) {
    for (const char* command :
         {"list",   "show",    "add",     "add-mailbox", "add-folder", "edit",   "remove",
          "move",   "on",      "off",     "changes",     "seen",       "report", "export",
          "import", "options", "compare", "title",       "dump",       "check",  "run"}) {
        CliOutcome r = Cli({command, "--help"});
        EXPECT_EQ(0, r.status) << command << ": " << r.err;
        EXPECT_EQ(0u, r.out.rfind(std::string("usage: ovisto-cli ") + command, 0)) << r.out;
        EXPECT_GT(r.out.size(), 80u) << command << " says too little:\n" << r.out;
    }
    const std::string add = Cli({"add", "--help"}).out;
    for (const char* words : {"--mode 0|1|2", "links", "--keep", "--event", "count:N"})
        EXPECT_NE(std::string::npos, add.find(words)) << words;
    EXPECT_NE(std::string::npos, Cli({"add-mailbox", "--help"}).out.find("--password"));
    EXPECT_NE(std::string::npos, Cli({"compare", "--help"}).out.find("3 KOI8-R"));
    EXPECT_NE(std::string::npos, Cli({"options", "--help"}).out.find("Proxy.Save Password"));
    EXPECT_NE(std::string::npos, Cli({"check", "--help"}).out.find("first copy"));
    EXPECT_NE(std::string::npos, Cli({"list", "--help"}).out.find("(large change)"));
    EXPECT_NE(std::string::npos, Cli({"--help"}).out.find("COMMAND --help"));
}
