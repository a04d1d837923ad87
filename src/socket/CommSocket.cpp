#include "socket/CommSocket.h"

#include <cstring>

#include "platform/Sync.h"
#include "platform/Thread.h"
#include "socket/CommAbort.h"
#include "stream/TextStream.h"

using namespace platform;

namespace {

// A thread that runs only the connect of a socket, so that the caller can
// give up waiting for it.
class ConnectSocketThread : public platform::Thread {
  public:
    ConnectSocketThread(const SocketAddress& address, SocketHandle socket)
        : address_(address), socket_(socket) {}
    // 0 or the library's last error.
    int32_t Run() override {
        if (SocketConnect(socket_, address_) == 0) return 0;
        uint32_t err = SocketLastError();
        return static_cast<int32_t>(err ? err : kWsaNotSocket);
    }

  private:
    SocketAddress address_;
    SocketHandle socket_;
};

// One lock for every socket: closing from an aborting thread and the
// operations of the thread that uses the socket meet here.
Lock& SocketsLock() {
    static Lock lock;
    return lock;
}

}  // namespace

// Keeps the socket of a port pinned for one operation.
class CommSocketPin {
  public:
    explicit CommSocketPin(CommSocket& port) : port_(port), s_(port.Pin()) {}
    ~CommSocketPin() {
        if (s_ != kNoSocket) port_.Unpin();
    }
    CommSocketPin(const CommSocketPin&) = delete;
    CommSocketPin& operator=(const CommSocketPin&) = delete;
    SocketHandle Get() const { return s_; }

  private:
    CommSocket& port_;
    SocketHandle s_;
};

CommSocket::CommSocket() : startupError_(SocketStartup()) {}

CommSocket::~CommSocket() {
    Close();
    if (startupError_ == 0) SocketCleanup();
}

SocketHandle CommSocket::Pin() {
    LockGuard guard(SocketsLock());
    if (socket_ != kNoSocket) ++pins_;
    return socket_;
}

void CommSocket::Unpin() {
    SocketHandle orphan = kNoSocket;
    {
        LockGuard guard(SocketsLock());
        if (--pins_ == 0) {
            orphan = orphan_;
            orphan_ = kNoSocket;
        }
    }
    if (orphan != kNoSocket) SocketCloseHandle(orphan);
}

void CommSocket::Close() {
    SocketHandle s;
    bool deferred;
    {
        LockGuard guard(SocketsLock());
        s = socket_;
        socket_ = kNoSocket;
        if (s == kNoSocket) return;
        SocketShutdown(s, kShutSend);
        SocketShutdown(s, kShutReceive);
        // Where closing does not wake a thread blocked on the socket, the
        // shutdown has woken it, and the last operation still using the
        // socket closes it.
        deferred = pins_ > 0 && !SocketCloseWakesBlockedCalls();
        if (deferred) orphan_ = s;
    }
    Notify(kCommClosing, &s, sizeof s);
    if (!deferred) SocketCloseHandle(s);
}

bool CommSocket::IsOpen() {
    LockGuard guard(SocketsLock());
    return socket_ != kNoSocket;
}

uint32_t CommSocket::ReadAll(void* bytes, long count) {
    CommSocketPin s(*this);
    if (s.Get() == kNoSocket) return kWsaNotSocket;
    char* p = static_cast<char*>(bytes);
    while (count > 0) {
        long n = SocketRecv(s.Get(), p, count);
        if (n < 0) return SocketLastError();
        if (n == 0) return kWsaConnectionReset;
        p += n;
        count -= n;
    }
    return 0;
}

uint32_t CommSocket::Send(const void* bytes, long count) {
    long sent = 0;
    return SendSome(bytes, count, &sent);
}

uint32_t CommSocket::SendSome(const void* bytes, long count, long* sent) {
    *sent = 0;
    CommSocketPin s(*this);
    if (s.Get() == kNoSocket) return kWsaNotSocket;
    long n = SocketSend(s.Get(), bytes, count);
    if (n < 0) return SocketLastError();
    if (n == 0 && count > 0) return kWsaConnectionReset;
    *sent = n;
    return 0;
}

uint32_t CommSocket::ReceiveSome(void* bytes, long max, long* received) {
    *received = 0;
    CommSocketPin s(*this);
    if (s.Get() == kNoSocket) return kWsaNotSocket;
    long n = SocketRecv(s.Get(), bytes, max);
    if (n < 0) return SocketLastError();
    if (n == 0) return kWsaConnectionReset;
    *received = n;
    return 0;
}

uint32_t CommSocket::WaitIdle(uint32_t milliseconds, bool* idle) {
    CommSocketPin s(*this);
    if (s.Get() == kNoSocket) return kWsaNotSocket;
    long wait = milliseconds > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<long>(milliseconds);
    int ready = SocketWaitReadable(s.Get(), wait);
    if (ready < 0) return SocketLastError();
    if (idle) *idle = ready == 0;
    return 0;
}

uint32_t CommSocket::IsIdle(bool* idle) {
    return WaitIdle(0, idle);
}

bool CommSocket::HasNoData() {
    // An error reads as "data waiting", so that the read that follows
    // reports it.
    bool idle = false;
    IsIdle(&idle);
    return idle;
}

void CommSocket::Dump(otwstream& out) {
    SocketHandle s = socket_;
    out.WriteText(" socket=");
    if (s == kNoSocket)
        out.WriteText("INVALID");
    else
        out.WriteUnsigned(s);
}

uint32_t CommSocket::Open(int family, int type, int protocol) {
    Close();
    if (startupError_) return startupError_;
    SocketHandle s = SocketOpen(family, type, protocol);
    if (s == kNoSocket) return SocketLastError();
    {
        LockGuard guard(SocketsLock());
        socket_ = s;
    }
    Notify(kCommCreated, &s, sizeof s);
    return 0;
}

uint32_t CommSocket::Connect(const char* host, uint16_t port, Thread* worker,
                             ConnectWaiter* waiter) {
    if (uint32_t err = Open(kAfInet, kSockStream, 0)) return err;
    if (!host) host = "";
    const long hostLength = static_cast<long>(strlen(host));
    SocketAddress address;
    address.port = HostToNetworkShort(port);
    address.address = ParseDottedAddress(host);
    if (address.address == kNoAddress) {
        Notify(kCommResolving, host, hostLength);
        if (!ResolveHostName(host, &address.address)) {
            uint32_t err = SocketLastError();
            return err ? err : kWsaHostNotFound;
        }
        Notify(kCommResolved, host, hostLength);
    }
    Notify(kCommConnecting, &address, sizeof address);

    SetDoAbortCommPort abortHook(*this, worker);
    if (worker && worker->IsAbortRequested()) return kCommCancelled;
    if (uint32_t err = RunConnect(address, waiter)) return err;
    Notify(kCommConnected, &address, sizeof address);
    return 0;
}

uint32_t CommSocket::RunConnect(const SocketAddress& address, ConnectWaiter* waiter) {
    CommSocketPin s(*this);
    if (s.Get() == kNoSocket) return kWsaNotSocket;
    auto* connector = new ConnectSocketThread(address, s.Get());
    uint32_t result;
    if (!waiter || !connector->Start()) {
        result = static_cast<uint32_t>(connector->Run());
    } else {
        bool ended = false;
        while (!ended && waiter->KeepWaiting()) ended = connector->WaitFinished(100);
        result = ended ? static_cast<uint32_t>(connector->GetResult()) : kCommCancelled;
    }
    // A connect thread given up on deletes itself when its connect returns.
    connector->Release();
    return result;
}
