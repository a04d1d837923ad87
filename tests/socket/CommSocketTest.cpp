#include "socket/CommSocket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Socket.h"
#include "platform/Sync.h"
#include "platform/Thread.h"
#include "socket/CommAbort.h"
#include "stream/MemStream.h"
#include "stream/TextStream.h"
#include "support/LoopbackPop3Server.h"

namespace {

// A server that sends the bytes and then keeps the connection open until
// the client goes.
LoopbackPop3Server::Script SendsAndWaits(std::string bytes) {
    return [bytes](Pop3ServerConnection& c) {
        c.Send(bytes);
        c.WaitForClose(5000);
    };
}

class RecordingSocket : public CommSocket {
  public:
    void Notify(uint32_t code, const void*, long) override { codes.push_back(code); }
    std::vector<uint32_t> codes;
};

std::string DumpOf(CommSocket& s) {
    omwstreambuf mem(0);
    {
        otwstream out(&mem);
        s.Dump(out);
    }
    return std::string(mem.Data(), static_cast<size_t>(mem.Size()));
}

// A port the loopback interface refuses connections on.
uint16_t ClosedPort() {
    LoopbackPop3Server server;
    return server.Port();
}

}  // namespace

TEST(CommSocketReadLine, SplitsLinesAtLineFeedsAndDropsTheCarriageReturn) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits(std::string("123456789\r\na\rb\r\nbare\nzero\0rest\n", 31)));
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    char line[512];
    long n = -1;
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("123456789", line);
    EXPECT_EQ(9, n);
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("a\rb", line);  // only the CR before the LF goes
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("bare", line);
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));  // a 0 byte ends a line
    EXPECT_STREQ("zero", line);
    EXPECT_EQ(4, n);
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("rest", line);
}

TEST(CommSocketReadLine, CapacityLimitsTheLineAndLeavesTheRestUnread) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits("ABCDEFGHIJ\r\n"));
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    char line[16] = "untouched";
    long n = -1;
    EXPECT_EQ(0u, s.ReadLine(line, 0, &n));
    EXPECT_STREQ("untouched", line);
    EXPECT_EQ(0, n);
    EXPECT_EQ(0u, s.ReadLine(line, 8, &n));
    EXPECT_STREQ("ABCDEFG", line);
    EXPECT_EQ(7, n);
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("HIJ", line);
}

TEST(CommSocketReadLine, ServerClosingMidLineGives10054) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) { c.Send("+OK part"); });
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    char line[64];
    long n = 0;
    EXPECT_EQ(platform::kWsaConnectionReset, s.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("+OK part", line);
    EXPECT_EQ(8, n);
}

TEST(CommSocketReadLine, LineTimeoutEndsASlowLineWith10060) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) {
        c.SendSlowly("+OK hello\r\n", 150);
        c.WaitForClose(5000);
    });
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    s.SetLineTimeout(300);
    char line[64];
    // Each byte comes in time for a per-byte wait; the line as a whole does not.
    EXPECT_EQ(platform::kWsaTimedOut, s.ReadLine(line, sizeof line));
    EXPECT_EQ(0, strncmp("+OK hello", line, strlen(line)));
    EXPECT_LT(strlen(line), 9u);
}

TEST(CommSocketConnect, ReportsProgressAndClosesOnce) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits(""));
    RecordingSocket s;
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(" socket=INVALID", DumpOf(s));
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    EXPECT_TRUE(s.IsOpen());
    EXPECT_EQ(" socket=" + std::to_string(s.Handle()), DumpOf(s));
    s.Close();
    s.Close();
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ((std::vector<uint32_t>{kCommCreated, kCommConnecting, kCommConnected, kCommClosing}),
              s.codes);
    char byte;
    EXPECT_EQ(platform::kWsaNotSocket, s.ReadAll(&byte, 1));
    EXPECT_EQ(platform::kWsaNotSocket, s.Send("x", 1));
}

TEST(CommSocketConnect, ResolvesAHostNameBetweenTheProgressCodes) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits("+OK\r\n"));
    RecordingSocket s;
    ASSERT_EQ(0u, s.Connect("localhost", server.Port()));
    EXPECT_EQ((std::vector<uint32_t>{kCommCreated, kCommResolving, kCommResolved, kCommConnecting,
                                     kCommConnected}),
              s.codes);
    char line[16];
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line));
    EXPECT_STREQ("+OK", line);
}

TEST(CommSocketConnect, RefusedConnectionGivesTheLibraryError) {
    CommSocket s;
    EXPECT_EQ(platform::kWsaConnectionRefused, s.Connect("127.0.0.1", ClosedPort()));
}

namespace {
class Waiter : public ConnectWaiter {
  public:
    explicit Waiter(bool keep) : keep_(keep) {}
    bool KeepWaiting() override {
        ++asked;
        return keep_;
    }
    int asked = 0;

  private:
    bool keep_;
};

class IdleThread : public platform::Thread {
  public:
    int32_t Run() override { return 0; }
};
}  // namespace

TEST(CommSocketConnect, WaiterRunsTheConnectInItsOwnThreadAndCanGiveUp) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits("+OK\r\n"));
    {
        CommSocket s;
        Waiter patient(true);
        ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port(), nullptr, &patient));
        EXPECT_GE(patient.asked, 1);
        char line[16];
        EXPECT_EQ(0u, s.ReadLine(line, sizeof line));
        EXPECT_STREQ("+OK", line);
    }
    CommSocket s;
    Waiter impatient(false);
    EXPECT_EQ(1223u, s.Connect("127.0.0.1", server.Port(), nullptr, &impatient));
}

TEST(CommSocketConnect, AlreadyAbortedWorkerGives1223AndLeavesNoHook) {
    LoopbackPop3Server server;
    auto* worker = new IdleThread;
    worker->Abort();
    CommSocket s;
    EXPECT_EQ(1223u, s.Connect("127.0.0.1", server.Port(), worker));
    EXPECT_EQ(0, server.Connections());
    platform::AbortHook* hook = reinterpret_cast<platform::AbortHook*>(1);
    worker->SetAbortHook(nullptr, &hook);
    EXPECT_EQ(nullptr, hook);
    worker->Release();
}

TEST(CommSocketIdle, WaitIdleTellsWhetherDataArrived) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) {
        std::string line;
        if (c.ReadLine(&line)) c.Send(line + "\r\n");
        c.WaitForClose(5000);
    });
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    bool idle = false;
    EXPECT_EQ(0u, s.IsIdle(&idle));
    EXPECT_TRUE(idle);
    EXPECT_TRUE(s.HasNoData());
    idle = false;
    EXPECT_EQ(0u, s.WaitIdle(50, &idle));
    EXPECT_TRUE(idle);
    ASSERT_EQ(0u, s.WriteLine("ping"));
    EXPECT_EQ(0u, s.WaitIdle(5000, &idle));
    EXPECT_FALSE(idle);
    EXPECT_FALSE(s.HasNoData());
    char line[16];
    EXPECT_EQ(0u, s.ReadLine(line, sizeof line));
    EXPECT_STREQ("ping", line);
}

namespace {
// Blocks in ReadLine on a silent server with the port's abort hook set.
class BlockedReader : public platform::Thread {
  public:
    explicit BlockedReader(CommSocket& s) : s_(s) {}
    int32_t Run() override {
        SetDoAbortCommPort hook(s_, this);
        ready.Set();
        char line[64];
        return static_cast<int32_t>(s_.ReadLine(line, sizeof line));
    }
    platform::Event ready;

  private:
    CommSocket& s_;
};

class CountingHook : public platform::AbortHook {
  public:
    void Abort() override { ++calls; }
    int calls = 0;
};
}  // namespace

TEST(CommSocketAbort, AbortingTheWorkerClosesItsSocketAndCallsTheReplacedHook) {
    LoopbackPop3Server server;
    server.SetScript(SendsAndWaits(""));
    CommSocket s;
    ASSERT_EQ(0u, s.Connect("127.0.0.1", server.Port()));
    CountingHook previous;
    auto* reader = new BlockedReader(s);
    reader->SetAbortHook(&previous);
    ASSERT_TRUE(reader->Start());
    // Once ready is set the hook is in place, so the abort closes the socket
    // whether the read is already blocked or about to begin: it ends at once.
    ASSERT_TRUE(reader->ready.Wait(5000));
    reader->Abort();
    ASSERT_TRUE(reader->WaitFinished(5000));
    EXPECT_NE(0, reader->GetResult());
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(1, previous.calls);
    // The reader put the previous hook back when it ended.
    platform::AbortHook* hook = nullptr;
    reader->SetAbortHook(nullptr, &hook);
    EXPECT_EQ(&previous, hook);
    reader->Release();
}
