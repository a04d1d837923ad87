#include "platform/Socket.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace platform {
namespace {

thread_local uint32_t t_lastError = 0;

// errno as the WinSock number of the same condition.
// long-function: one case per error number, a table written as a switch.
uint32_t FromErrno(int e) {
    switch (e) {
        case 0:
            return 0;
        case EINTR:
            return 10004;
        case EBADF:
            return 10009;
        case EACCES:
            return 10013;
        case EFAULT:
            return 10014;
        case EINVAL:
            return 10022;
        case EMFILE:
        case ENFILE:
            return 10024;
        case EAGAIN:
            return 10035;
        case EINPROGRESS:
            return 10036;
        case EALREADY:
            return 10037;
        case ENOTSOCK:
            return kWsaNotSocket;
        case EDESTADDRREQ:
            return 10039;
        case EMSGSIZE:
            return 10040;
        case EPROTOTYPE:
            return 10041;
        case ENOPROTOOPT:
            return 10042;
        case EPROTONOSUPPORT:
            return 10043;
        case ESOCKTNOSUPPORT:
            return 10044;
        case EOPNOTSUPP:
            return 10045;
        case EPFNOSUPPORT:
            return 10046;
        case EAFNOSUPPORT:
            return 10047;
        case EADDRINUSE:
            return 10048;
        case EADDRNOTAVAIL:
            return 10049;
        case ENETDOWN:
            return 10050;
        case ENETUNREACH:
            return 10051;
        case ENETRESET:
            return 10052;
        case ECONNABORTED:
            return 10053;
        case ECONNRESET:
        case EPIPE:
            return kWsaConnectionReset;
        case ENOBUFS:
        case ENOMEM:
            return 10055;
        case EISCONN:
            return 10056;
        case ENOTCONN:
            return 10057;
        case ESHUTDOWN:
            return 10058;
        case ETIMEDOUT:
            return kWsaTimedOut;
        case ECONNREFUSED:
            return kWsaConnectionRefused;
        case ELOOP:
            return 10062;
        case ENAMETOOLONG:
            return 10063;
        case EHOSTDOWN:
            return 10064;
        case EHOSTUNREACH:
            return 10065;
        default:
            return 10000 + static_cast<uint32_t>(e);
    }
}

int Fail() {
    t_lastError = FromErrno(errno);
    return -1;
}

int Fd(SocketHandle s) {
    return s == kNoSocket ? -1 : static_cast<int>(s);
}

}  // namespace

uint32_t SocketStartup() {
    return 0;
}
void SocketCleanup() {}
uint32_t SocketLastError() {
    return t_lastError;
}

SocketHandle SocketOpen(int family, int type, int protocol) {
    int af = family == kAfInet ? AF_INET : family;
    int st = type == kSockStream ? SOCK_STREAM : type;
    int fd = ::socket(af, st | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        Fail();
        return kNoSocket;
    }
    return static_cast<SocketHandle>(fd);
}

bool SocketCloseWakesBlockedCalls() {
    return false;
}

int SocketCloseHandle(SocketHandle s) {
    return ::close(Fd(s)) == 0 ? 0 : Fail();
}

int SocketShutdown(SocketHandle s, int how) {
    int h = how == kShutSend ? SHUT_WR : how == kShutReceive ? SHUT_RD : SHUT_RDWR;
    return ::shutdown(Fd(s), h) == 0 ? 0 : Fail();
}

int SocketConnect(SocketHandle s, const SocketAddress& to) {
    sockaddr_in a{};
    a.sin_family = to.family == kAfInet ? AF_INET : to.family;
    a.sin_port = to.port;
    a.sin_addr.s_addr = to.address;
    for (;;) {
        if (::connect(Fd(s), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) return 0;
        if (errno != EINTR) return Fail();
    }
}

long SocketSend(SocketHandle s, const void* bytes, long count) {
    for (;;) {
        ssize_t n = ::send(Fd(s), bytes, static_cast<size_t>(count), MSG_NOSIGNAL);
        if (n >= 0) return static_cast<long>(n);
        if (errno != EINTR) return Fail();
    }
}

long SocketRecv(SocketHandle s, void* bytes, long count) {
    for (;;) {
        ssize_t n = ::recv(Fd(s), bytes, static_cast<size_t>(count), 0);
        if (n >= 0) return static_cast<long>(n);
        if (errno != EINTR) return Fail();
    }
}

int SocketWaitReadable(SocketHandle s, long milliseconds) {
    pollfd p{Fd(s), POLLIN, 0};
    int timeout = milliseconds < 0 ? -1 : static_cast<int>(milliseconds);
    int n = ::poll(&p, 1, timeout);
    if (n < 0) return Fail();
    if (n > 0 && (p.revents & POLLNVAL)) {
        t_lastError = kWsaNotSocket;
        return -1;
    }
    return n > 0 ? 1 : 0;
}

uint16_t HostToNetworkShort(uint16_t v) {
    return htons(v);
}

uint32_t ParseDottedAddress(const char* text) {
    in_addr a{};
    if (!text || inet_aton(text, &a) == 0) return kNoAddress;
    return a.s_addr;
}

bool ResolveHostName(const char* name, uint32_t* address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    int rc = ::getaddrinfo(name ? name : "", nullptr, &hints, &result);
    if (rc != 0 || !result) {
        switch (rc) {
            case EAI_AGAIN:
                t_lastError = 11002;
                break;  // WSATRY_AGAIN
            case EAI_FAIL:
                t_lastError = 11003;
                break;  // WSANO_RECOVERY
#ifdef EAI_NODATA
            case EAI_NODATA:
                t_lastError = 11004;
                break;  // WSANO_DATA
#endif
            case EAI_SYSTEM:
                t_lastError = FromErrno(errno);
                break;
            default:
                t_lastError = kWsaHostNotFound;
                break;
        }
        return false;
    }
    *address = reinterpret_cast<sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(result);
    return true;
}

}  // namespace platform
