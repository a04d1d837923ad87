// "run" watches like the desktop program: announced changes are printed as
// they happen, the program event runs, and an interrupt stops it cleanly.
#include <unistd.h>

#include "cli/CliProcess.h"
#include "platform/Clock.h"
#include "support/LoopbackHttpServer.h"

namespace {

HttpReply Html(const std::string& body) {
    HttpReply r;
    r.headers = {"Content-Type: text/html"};
    r.body =
        "<html><head><title>Run page</title></head><body><p>The market opens on Monday morning.</p>"
        "<p>The library keeps longer hours.</p>" +
        body + "</body></html>";
    return r;
}

bool WaitForText(const std::string& path, const std::string& text, uint32_t ms) {
    uint32_t start = platform::TickCount();
    while (platform::TickCount() - start < ms) {
        if (TempDir::Read(path).find(text) != std::string::npos) return true;
        platform::SleepMs(50);
    }
    return false;
}

}  // namespace

TEST_F(CliTest, RunAnnouncesChangesRunsTheProgramEventAndStopsOnInterrupt) {
    LoopbackHttpServer http;
    http.Answer("/p.html", Html(""));
    std::string marker = dir.File("event-ran");
    ASSERT_EQ(0, Cli({"add", http.Url("/p.html"), "--period", "1", "--event",
                      "program:/bin/sh -c \"echo ran > " + marker + "\""})
                     .status);

    TempDir outputs;
    platform::ChildProcess run;
    ASSERT_TRUE(run.Start({OVISTO_CLI_PATH, "--dir", dir.Path(), "run", "--heartbeat", "1"},
                          outputs.File("out"), outputs.File("err")));
    ASSERT_TRUE(WaitForText(dir.File("USER/OV000000.HTM"), "Monday", 20000)) << "first copy stored";
    http.Answer("/p.html", Html("<p>A paragraph that run must announce.</p>"));
    EXPECT_TRUE(WaitForText(outputs.File("out"), "A paragraph that run must announce.", 20000))
        << TempDir::Read(outputs.File("out")) << TempDir::Read(outputs.File("err"));
    EXPECT_TRUE(WaitForText(marker, "ran", 10000)) << "the program event ran";

    // A writer is refused while run holds the directory.
    EXPECT_EQ(2, Cli({"add", http.Url("/other.html")}).status);
    EXPECT_EQ(0, Cli({"list"}).status);

    run.Interrupt();
    int status = -1;
    ASSERT_TRUE(run.Wait(8000, &status)) << "stops within the 5 s wait for workers";
    EXPECT_EQ(0, status) << TempDir::Read(outputs.File("err"));
    EXPECT_NE(std::string::npos, TempDir::Read(outputs.File("out")).find("stopped"));
    EXPECT_EQ("A paragraph that run must announce.",
              CliJson({"changes", "Run page"})["checks"][0]["changes"][0]["text"]);
}
