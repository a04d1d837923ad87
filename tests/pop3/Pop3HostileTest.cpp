// Servers that misbehave: each check ends with an error code within its
// time-out, and no record file is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Socket.h"
#include "platform/Thread.h"
#include "pop3/MailboxCheck.h"
#include "pop3/MailboxUrl.h"
#include "pop3/Pop3Check.h"
#include "socket/CommPort.h"
#include "support/LoopbackPop3Server.h"
#include "support/TempDir.h"

namespace {

// Plays greeting and login, then hands over to `then`.
LoopbackPop3Server::Script AfterLogin(std::function<void(Pop3ServerConnection&)> then) {
    return [then](Pop3ServerConnection& c) {
        std::string line;
        c.Send("+OK\r\n");
        if (!c.ReadLine(&line)) return;
        c.Send("+OK\r\n");
        if (!c.ReadLine(&line)) return;
        c.Send("+OK\r\n");
        then(c);
    };
}

uint32_t CheckWithTimeout(const LoopbackPop3Server& server, uint32_t timeoutMs) {
    StrList known;
    EMailList messages;
    Pop3Options options;
    options.replyTimeoutMs = timeoutMs;
    return CheckMailbox("127.0.0.1", server.Port(), "u", "p", known, messages, options);
}

// A server that follows a script: the first reply goes out on connecting,
// each further one after the next line the client sends. After the last it
// holds the connection open (the check must time out) or closes it.
enum class Then { kHoldOpen, kClose };
struct ScriptedServer {
    const char* what;
    std::vector<std::string> replies;
    Then then;
    uint32_t replyTimeoutMs;
    uint32_t expected;
};

const std::string kOk = "+OK\r\n";

const ScriptedServer kScriptedServers[] = {
    {"no greeting at all", {}, Then::kHoldOpen, 300, platform::kWsaTimedOut},
    {"gone after the greeting", {kOk}, Then::kClose, 2000, platform::kWsaConnectionReset},
    {"gone in the middle of the listing",
     {kOk, kOk, kOk, "+OK\r\n1 first\r\n2 sec"},
     Then::kClose,
     2000,
     platform::kWsaConnectionReset},
    {"a listing that never ends",
     {kOk, kOk, kOk, "+OK\r\n1 first\r\n"},
     Then::kHoldOpen,
     300,
     platform::kWsaTimedOut},
    {"headers that never end",
     {kOk, kOk, kOk, "+OK\r\n1 first\r\n.\r\n", "+OK\r\nSubject: never ends\r\n"},
     Then::kHoldOpen,
     300,
     platform::kWsaTimedOut},
};

}  // namespace

TEST(Pop3Hostile, ScriptedServersEndTheCheckWithTheirErrorWithinTheTimeOut) {
    for (const ScriptedServer& row : kScriptedServers) {
        LoopbackPop3Server server;
        server.SetScript([&row](Pop3ServerConnection& c) {
            std::string line;
            for (size_t i = 0; i < row.replies.size(); ++i) {
                if (i > 0 && !c.ReadLine(&line)) return;
                c.Send(row.replies[i]);
            }
            if (row.then == Then::kHoldOpen) c.WaitForClose(10000);
        });
        EXPECT_EQ(row.expected, CheckWithTimeout(server, row.replyTimeoutMs)) << row.what;
    }
}

TEST(Pop3Hostile, LinesLongerThanAnyReplyEndTheCheckWithTheirOwnCode) {
    // An endless greeting, positive or not, and an endless listing line:
    // none is taken for the answer to the next command.
    for (const std::string start : {"", "+OK"}) {
        LoopbackPop3Server server;
        server.SetScript([start](Pop3ServerConnection& c) {
            c.Send(start);
            while (c.Send(std::string(16 * 1024, 'x'))) {
            }
        });
        EXPECT_EQ(static_cast<uint32_t>(kCheckLineTooLong), CheckWithTimeout(server, 5000))
            << start;
    }
    LoopbackPop3Server server;
    server.SetScript(AfterLogin([](Pop3ServerConnection& c) {
        std::string line;
        if (c.ReadLine(&line)) c.Send("+OK\r\n1 " + std::string(600, 'u') + "\r\n.\r\n");
        c.WaitForClose(10000);
    }));
    EXPECT_EQ(static_cast<uint32_t>(kCheckLineTooLong), CheckWithTimeout(server, 5000));
}

TEST(Pop3Hostile, AListingLargerThanAllowedEndsTheCheck) {
    LoopbackPop3Server server;
    server.SetScript(AfterLogin([](Pop3ServerConnection& c) {
        std::string line;
        if (!c.ReadLine(&line)) return;
        c.Send("+OK\r\n");
        for (int n = 1; c.Send(std::to_string(n) + " uid-" + std::to_string(n) + "\r\n"); ++n) {
        }
    }));
    StrList known;
    EMailList messages;
    Pop3Options options;
    options.replyTimeoutMs = 5000;
    options.largestListing = 64 * 1024;
    EXPECT_EQ(static_cast<uint32_t>(kCheckListingTooLarge),
              CheckMailbox("127.0.0.1", server.Port(), "u", "p", known, messages, options));
    EXPECT_LT(messages.Count(), 64u * 1024 / 8);
}

TEST(Pop3Hostile, ServerAnsweringOneBytePerSecondTimesOut) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) {
        c.SendSlowly("+OK slow server ready\r\n", 1000);
        c.WaitForClose(10000);
    });
    EXPECT_EQ(platform::kWsaTimedOut, CheckWithTimeout(server, 1500));
}

TEST(Pop3Hostile, ErrorsWriteNoRecordFile) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) { c.Send("+OK\r\n"); });
    TempDir dir;
    MailboxCheckOptions options;
    options.pop3.replyTimeoutMs = 2000;
    AStr url = MakeMailboxUrl("127.0.0.1", server.Port(), "u", "p");
    EXPECT_EQ(static_cast<int32_t>(platform::kWsaConnectionReset),
              RunMailboxCheck(url.c_str(), dir.File("t").c_str(), "", options));
    EXPECT_FALSE(platform::FileExists(dir.File("t").c_str()));
}

namespace {
// A worker that runs a mailbox check with the full time-out.
class MailboxWorker : public platform::Thread {
  public:
    explicit MailboxWorker(std::string url) : url_(std::move(url)) {}
    int32_t Run() override {
        MailboxCheckOptions options;
        options.pop3.worker = this;
        options.locale = 1033;
        return RunMailboxCheck(url_.c_str(), target.c_str(), "", options);
    }
    std::string target;

  private:
    std::string url_;
};
}  // namespace

TEST(Pop3Hostile, AbortingTheWorkerClosesItsSocketAtOnce) {
    LoopbackPop3Server server;
    platform::Event greeted;
    server.SetScript([&greeted](Pop3ServerConnection& c) {
        greeted.Set();
        c.WaitForClose(10000);
    });
    TempDir dir;
    auto* worker = new MailboxWorker(MakeMailboxUrl("127.0.0.1", server.Port(), "u", "p").c_str());
    worker->target = dir.File("t");
    ASSERT_TRUE(worker->Start());
    // Connected: the worker waits (up to 60 s) for the greeting, or is about
    // to; its abort hook covers the whole dialogue, so either way the abort
    // ends it at once.
    ASSERT_TRUE(greeted.Wait(5000));
    worker->Abort();
    // Far less than the reply time-out.
    ASSERT_TRUE(worker->WaitFinished(5000));
    EXPECT_EQ(static_cast<int32_t>(kCommCancelled), worker->GetResult());
    EXPECT_FALSE(platform::FileExists(dir.File("t").c_str()));
    worker->Release();
}

TEST(Pop3Hostile, AbortedBeforeConnectingIsCancelled) {
    LoopbackPop3Server server;
    auto* worker = new MailboxWorker(MakeMailboxUrl("127.0.0.1", server.Port(), "u", "p").c_str());
    TempDir dir;
    worker->target = dir.File("t");
    worker->Abort();
    EXPECT_EQ(static_cast<int32_t>(kCommCancelled), worker->Run());
    EXPECT_EQ(0, server.Connections());
    worker->Release();
}
