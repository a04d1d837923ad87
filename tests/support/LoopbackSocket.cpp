#include "support/LoopbackSocket.h"

#ifdef _WIN32
#include <winsock2.h>
using NativeSocket = SOCKET;
using SockLen = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using NativeSocket = int;
using SockLen = socklen_t;
#endif

namespace {

NativeSocket Native(intptr_t s) {
    return static_cast<NativeSocket>(s);
}

void CloseSocket(intptr_t s) {
#ifdef _WIN32
    closesocket(Native(s));
#else
    ::close(Native(s));
#endif
}

bool Readable(intptr_t s, uint32_t ms) {
#ifdef _WIN32
    fd_set set;
    FD_ZERO(&set);
    FD_SET(Native(s), &set);
    timeval tv{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) > 0;
#else
    pollfd p{Native(s), POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(ms)) > 0;
#endif
}

}  // namespace

bool LoopbackConnection::Send(const char* bytes, size_t count) {
    while (count > 0 && socket_ != -1) {
#ifdef _WIN32
        long n = ::send(Native(socket_), bytes, static_cast<int>(count), 0);
#else
        long n = ::send(Native(socket_), bytes, count, MSG_NOSIGNAL);
#endif
        if (n <= 0) return false;
        bytes += n;
        count -= static_cast<size_t>(n);
    }
    return count == 0;
}

bool LoopbackConnection::WaitReadable(uint32_t ms) {
    return socket_ != -1 && Readable(socket_, ms);
}

long LoopbackConnection::Receive(char* bytes, size_t count) {
    if (socket_ == -1) return -1;
    return ::recv(Native(socket_), bytes, static_cast<int>(count), 0);
}

void LoopbackConnection::Close() {
    if (socket_ != -1) CloseSocket(socket_);
    socket_ = -1;
}

LoopbackListener::LoopbackListener() {
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
#endif
    NativeSocket s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    SockLen len = sizeof a;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s, 16) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        CloseSocket(static_cast<intptr_t>(s));
        return;
    }
    socket_ = static_cast<intptr_t>(s);
    port_ = ntohs(a.sin_port);
}

LoopbackListener::~LoopbackListener() {
    if (socket_ != -1) CloseSocket(socket_);
#ifdef _WIN32
    WSACleanup();
#endif
}

intptr_t LoopbackListener::Accept(uint32_t ms) {
    if (socket_ == -1 || !Readable(socket_, ms)) return -1;
    NativeSocket s = ::accept(Native(socket_), nullptr, nullptr);
#ifdef _WIN32
    return s == INVALID_SOCKET ? -1 : static_cast<intptr_t>(s);
#else
    return s < 0 ? -1 : static_cast<intptr_t>(s);
#endif
}
