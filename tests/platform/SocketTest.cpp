// The socket calls of the platform: addresses, byte order, errors.
#include "platform/Socket.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/LoopbackPop3Server.h"

using namespace platform;

namespace {

// The four bytes of an address in network byte order.
uint32_t Bytes(unsigned a, unsigned b, unsigned c, unsigned d) {
    const unsigned char bytes[4] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b),
                                    static_cast<unsigned char>(c), static_cast<unsigned char>(d)};
    uint32_t v;
    memcpy(&v, bytes, sizeof v);
    return v;
}

// Starts the library for one test.
class Sockets : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(0u, SocketStartup()); }
    void TearDown() override { SocketCleanup(); }
};

}  // namespace

TEST_F(Sockets, DottedAddressesAndPortsAreInNetworkOrder) {
    EXPECT_EQ(Bytes(127, 0, 0, 1), ParseDottedAddress("127.0.0.1"));
    EXPECT_EQ(Bytes(10, 1, 2, 3), ParseDottedAddress("10.1.2.3"));
    EXPECT_EQ(kNoAddress, ParseDottedAddress("pop.example.org"));
    EXPECT_EQ(kNoAddress, ParseDottedAddress("1.2.3.256"));
    uint16_t port = HostToNetworkShort(110);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&port);
    EXPECT_EQ(0, p[0]);
    EXPECT_EQ(110, p[1]);
}

TEST_F(Sockets, LocalhostResolvesToTheLoopbackAddress) {
    uint32_t address = 0;
    ASSERT_TRUE(ResolveHostName("localhost", &address));
    EXPECT_EQ(Bytes(127, 0, 0, 1), address);
}

TEST_F(Sockets, RefusedConnectAndClosedPeerGiveWinSockNumbers) {
    uint16_t closedPort;
    {
        LoopbackPop3Server gone;
        closedPort = gone.Port();
    }
    SocketAddress to;
    to.address = Bytes(127, 0, 0, 1);
    to.port = HostToNetworkShort(closedPort);
    SocketHandle s = SocketOpen(kAfInet, kSockStream, 0);
    ASSERT_NE(kNoSocket, s);
    EXPECT_EQ(-1, SocketConnect(s, to));
    EXPECT_EQ(kWsaConnectionRefused, SocketLastError());
    SocketCloseHandle(s);

    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) { c.Send("bye"); });
    to.port = HostToNetworkShort(server.Port());
    s = SocketOpen(kAfInet, kSockStream, 0);
    ASSERT_EQ(0, SocketConnect(s, to));
    ASSERT_EQ(1, SocketWaitReadable(s, 5000));
    char buffer[8];
    EXPECT_EQ(3, SocketRecv(s, buffer, sizeof buffer));
    ASSERT_EQ(1, SocketWaitReadable(s, 5000));  // the end of the connection is readable
    EXPECT_EQ(0, SocketRecv(s, buffer, sizeof buffer));
    SocketCloseHandle(s);
}

TEST_F(Sockets, WaitReadableRunsOutOnASilentPeer) {
    LoopbackPop3Server server;
    server.SetScript([](Pop3ServerConnection& c) { c.WaitForClose(5000); });
    SocketAddress to;
    to.address = Bytes(127, 0, 0, 1);
    to.port = HostToNetworkShort(server.Port());
    SocketHandle s = SocketOpen(kAfInet, kSockStream, 0);
    ASSERT_EQ(0, SocketConnect(s, to));
    EXPECT_EQ(0, SocketWaitReadable(s, 0));
    EXPECT_EQ(0, SocketWaitReadable(s, 30));
    EXPECT_EQ(2, SocketSend(s, "hi", 2));
    SocketShutdown(s, kShutSend);
    SocketShutdown(s, kShutReceive);
    SocketCloseHandle(s);
}
