#include "socket/CommPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Socket.h"
#include "socket/CommMemoryPort.h"

namespace {
class RecordingListener : public CommListener {
  public:
    void TransferEnded(CommPort&, uint32_t code, const char* bytes, long count) override {
        codes.push_back(code);
        data.push_back(bytes ? std::string(bytes, static_cast<size_t>(count)) : std::string());
    }
    std::vector<uint32_t> codes;
    std::vector<std::string> data;
};
}  // namespace

TEST(CommPortTransfer, PendingTransfersRunOrEndCancelled) {
    RecordingListener listener;
    std::string sent;
    {
        CommMemoryPort port("reply", 5);
        std::string big(2000, 'x');
        port.BeginWrite(big.data(), static_cast<long>(big.size()), &listener);
        EXPECT_TRUE(port.HasPendingTransfer());
        EXPECT_EQ(0u, port.RunTransfer());  // a write is cut to 1024 bytes
        EXPECT_FALSE(port.HasPendingTransfer());
        port.BeginWrite("a", 1, &listener);
        port.BeginWrite("b", 1, &listener);  // replaces the pending one
        EXPECT_EQ(0u, port.RunTransfer());
        port.BeginRead(3, &listener);
        EXPECT_EQ(0u, port.RunTransfer());
        port.BeginRead(9, &listener);
        EXPECT_EQ(platform::kWsaConnectionReset, port.RunTransfer());
        port.BeginRead(1, &listener);  // still pending when the port goes
        sent = port.Sent();
    }
    EXPECT_EQ(std::string(1024, 'x') + "b", sent);
    EXPECT_EQ((std::vector<uint32_t>{0, kCommCancelled, 0, 0, platform::kWsaConnectionReset,
                                     kCommCancelled}),
              listener.codes);
    EXPECT_EQ(std::string(1024, 'x'), listener.data[0]);
    EXPECT_EQ("b", listener.data[2]);
    EXPECT_EQ("rep", listener.data[3]);
}

TEST(CommPortLines, WriteLineSendsTheTextWithCrLfInOneSend) {
    CommMemoryPort port("", 0);
    EXPECT_EQ(0u, port.WriteLine("USER me"));
    EXPECT_EQ(0u, port.WriteLine(""));
    EXPECT_EQ("USER me\r\n\r\n", port.Sent());
    port.Close();
    EXPECT_EQ(10038u, port.WriteLine("QUIT"));
}

TEST(CommPortLines, ReadLineAtTheEndOfTheDataReportsTheClosedConnection) {
    const char data[] = "last\r";
    CommMemoryPort port(data, 5);
    port.SetLineTimeout(100);
    char line[16];
    long n = 0;
    EXPECT_EQ(platform::kWsaConnectionReset, port.ReadLine(line, sizeof line, &n));
    EXPECT_STREQ("last\r", line);  // no LF came, so the CR stays
    EXPECT_EQ(5, n);
}
