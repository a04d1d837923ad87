// An imported watch list cannot run anything the user did not choose: its
// run-program events are held until confirmed, and even a confirmed event's
// text never reaches a shell.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "cli/CliProcess.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "support/LoopbackHttpServer.h"

namespace {

HttpReply Html(const std::string& body) {
    HttpReply r;
    r.headers = {"Content-Type: text/html"};
    r.body =
        "<html><head><title>Held</title></head><body><p>The market opens on Monday.</p>"
        "<p>The library keeps longer hours.</p>" +
        body + "</body></html>";
    return r;
}

bool AppearsWithin(const std::string& path, uint32_t ms) {
    for (uint32_t start = platform::TickCount(); platform::TickCount() - start < ms;
         platform::SleepMs(20))
        if (platform::FileExists(path.c_str())) return true;
    return false;
}

}  // namespace

TEST_F(CliTest, AnImportedProgramEventIsHeldUntilConfirmedAndNeverSeenByAShell) {
    LoopbackHttpServer http;
    http.Answer("/p.html", Html(""));
    TempDir outside;
    const std::string marker = outside.File("ran;$(touch pwned)");
    const std::string event = "program:/usr/bin/touch \"" + marker + "\"";
    ASSERT_EQ(0, Cli({"add", http.Url("/p.html"), "--event", event}).status);
    const std::string exported = outside.File("list.ovf");
    ASSERT_EQ(0, Cli({"export", exported}).status);
    ASSERT_EQ(0, Cli({"remove", "#1"}).status);

    CliOutcome imported = Cli({"import", exported});
    ASSERT_EQ(0, imported.status) << imported.err;
    EXPECT_NE(std::string::npos, imported.out.find("held 1 run-program events")) << imported.out;
    EXPECT_NE(std::string::npos, imported.out.find(marker)) << "the held command is shown";

    ASSERT_EQ(0, Cli({"check"}).status);  // the first copy
    http.Answer("/p.html", Html("<p>A change that would run the program.</p>"));
    CliOutcome changed = Cli({"--json", "check"});
    ASSERT_EQ(0, changed.status) << changed.err;
    EXPECT_EQ("changed", changed.Json()["checks"][0]["outcome"]);
    EXPECT_FALSE(AppearsWithin(marker, 1500)) << "a held event ran";

    ASSERT_EQ(0, Cli({"edit", "#1", "--event", event}).status);
    http.Answer("/p.html", Html("<p>A second change, after the confirmation.</p>"));
    ASSERT_EQ(0, Cli({"check"}).status);
    EXPECT_TRUE(AppearsWithin(marker, 10000)) << "the confirmed event ran";
    EXPECT_FALSE(platform::FileExists(dir.File("pwned").c_str()));
    EXPECT_FALSE(platform::FileExists("pwned"));
}

TEST_F(CliTest, ExportsAndWatchListsHoldingPasswordsAreTheOwnersAloneAndDumpMasksThem) {
    ::setenv("OVISTO_TEST_SECRET", "s3cret-word", 1);
    ASSERT_EQ(0, Cli({"add-mailbox", "--server", "mail.example", "--user", "ann", "--password-env",
                      "OVISTO_TEST_SECRET"})
                     .status);
    TempDir outside;
    const std::string exported = outside.File("box.ovf");
    ASSERT_EQ(0, Cli({"export", exported}).status);
    for (const std::string& file : {WatchListFile(), exported}) {
        struct stat st {};
        ASSERT_EQ(0, ::stat(file.c_str(), &st)) << file;
        EXPECT_EQ(0600u, st.st_mode & 0777u) << file;
    }
    CliOutcome dumped = Cli({"dump", exported});
    ASSERT_EQ(0, dumped.status) << dumped.err;
    EXPECT_EQ(std::string::npos, dumped.out.find("s3cret-word")) << dumped.out;
    CliOutcome shown = Cli({"dump", exported, "--show-passwords"});
    EXPECT_NE(std::string::npos, shown.out.find("s3cret-word")) << shown.out;
}
