#pragma once
// A thread that runs only the connect of a socket, so that the caller can
// give up waiting for it.
#include "platform/Socket.h"
#include "platform/Thread.h"

class ConnectSocketThread : public platform::Thread {
public:
    ConnectSocketThread(const platform::SocketAddress& address, platform::SocketHandle socket)
        : address_(address), socket_(socket) {}
    // 0 or the library's last error.
    int32_t Run() override;

private:
    platform::SocketAddress address_;
    platform::SocketHandle socket_;
};
