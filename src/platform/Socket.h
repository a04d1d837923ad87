#pragma once
// The socket library: plain blocking TCP over IPv4, the calls of WinSock 1.1
// and nothing more. Windows loads "WSock32.dll" on first use and looks each
// function up by name on its first use; the POSIX build uses the system's
// sockets. Error codes are WinSock numbers on every platform.
#include <cstdint>

namespace platform {

using SocketHandle = uint32_t;
constexpr SocketHandle kNoSocket = 0xFFFFFFFF;

// WinSock error numbers the system tests for by value.
enum : uint32_t {
    kWsaInterrupted = 10004,        // WSAEINTR
    kWsaNotSocket = 10038,          // WSAENOTSOCK
    kWsaConnectionReset = 10054,    // WSAECONNRESET: the peer closed the connection
    kWsaTimedOut = 10060,           // WSAETIMEDOUT
    kWsaConnectionRefused = 10061,  // WSAECONNREFUSED
    kWsaHostNotFound = 11001,       // WSAHOST_NOT_FOUND
};

// Address family, socket type and shutdown directions by their WinSock values.
enum : int { kAfInet = 2, kSockStream = 1, kShutReceive = 0, kShutSend = 1 };

// An IPv4 socket address: the sockaddr_in fields, port and address in
// network byte order.
struct SocketAddress {
    uint16_t family = kAfInet;
    uint16_t port = 0;
    uint32_t address = 0;
};
constexpr uint32_t kNoAddress = 0xFFFFFFFF;  // INADDR_NONE

// One user of the library: WSAStartup with version 1.1; 0 or the error.
// Each successful start is matched by one SocketCleanup.
uint32_t SocketStartup();
void SocketCleanup();

// The calling thread's last socket error.
uint32_t SocketLastError();

// socket(); kNoSocket on failure.
SocketHandle SocketOpen(int family, int type, int protocol);
// Whether closing a socket makes the calls blocked on it in other threads
// return (Windows). Where it does not (POSIX), shutting it down does, and
// the handle must stay until those calls are out, lest its number be given
// to another file while they still use it.
bool SocketCloseWakesBlockedCalls();
// closesocket() and shutdown(); 0 or -1.
int SocketCloseHandle(SocketHandle s);
int SocketShutdown(SocketHandle s, int how);
// connect(); 0 or -1.
int SocketConnect(SocketHandle s, const SocketAddress& to);
// send() and recv(): the count moved or -1. A send to a closed peer fails
// with an error instead of ending the process.
long SocketSend(SocketHandle s, const void* bytes, long count);
long SocketRecv(SocketHandle s, void* bytes, long count);
// select() on readability: 1 when data (or the end of the connection) is
// waiting, 0 when the time ran out, -1 on error. A negative time waits
// without limit.
int SocketWaitReadable(SocketHandle s, long milliseconds);

// htons().
uint16_t HostToNetworkShort(uint16_t v);
// inet_addr(): a dotted address in network byte order, or kNoAddress.
uint32_t ParseDottedAddress(const char* text);
// gethostbyname(): the first IPv4 address of a host name; false with the
// library's last error set when the name does not resolve.
bool ResolveHostName(const char* name, uint32_t* address);

}  // namespace platform
