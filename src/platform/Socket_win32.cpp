#include "platform/Socket.h"

// The types of WinSock; the functions themselves come from "WSock32.dll",
// which is never linked but loaded on first use.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>

namespace platform {
namespace {

enum Function {
    kWSAStartup,
    kWSACleanup,
    kWSAGetLastError,
    kWSAFDIsSet,
    kSocket,
    kConnect,
    kCloseSocket,
    kShutdown,
    kSend,
    kRecv,
    kSelect,
    kHtons,
    kInetAddr,
    kGetHostByName,
    kFunctionCount
};

const char* const kFunctionNames[kFunctionCount] = {
    "WSAStartup", "WSACleanup",  "WSAGetLastError", "__WSAFDIsSet", "socket",
    "connect",    "closesocket", "shutdown",        "send",         "recv",
    "select",     "htons",       "inet_addr",       "gethostbyname"};

// The library is loaded on the first use of any function and freed when the
// program ends; each function is looked up once, on its own first use.
class WinSockLibrary {
  public:
    ~WinSockLibrary() {
        if (module_) FreeLibrary(module_);
    }

    FARPROC Get(Function f) {
        FARPROC p = procs_[f].load(std::memory_order_acquire);
        if (p) return p;
        std::lock_guard<std::mutex> lock(mutex_);
        p = procs_[f].load(std::memory_order_relaxed);
        if (p) return p;
        if (!module_) module_ = LoadLibraryA("WSock32.dll");
        if (module_) p = GetProcAddress(module_, kFunctionNames[f]);
        procs_[f].store(p, std::memory_order_release);
        return p;
    }

  private:
    std::mutex mutex_;
    HMODULE module_ = nullptr;
    std::atomic<FARPROC> procs_[kFunctionCount] = {};
};

WinSockLibrary& Library() {
    static WinSockLibrary library;
    return library;
}

// Set when a function could not be found; it then stands for the library's
// last error of the failed call.
thread_local uint32_t t_loadError = 0;

template <class T>
T Lookup(Function f) {
    FARPROC p = Library().Get(f);
    t_loadError = p ? 0 : ERROR_PROC_NOT_FOUND;
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(p));
}

using StartupFn = int(WSAAPI*)(WORD, LPWSADATA);
using CleanupFn = int(WSAAPI*)();
using LastErrorFn = int(WSAAPI*)();
using FDIsSetFn = int(WSAAPI*)(SOCKET, fd_set*);
using SocketFn = SOCKET(WSAAPI*)(int, int, int);
using ConnectFn = int(WSAAPI*)(SOCKET, const sockaddr*, int);
using CloseFn = int(WSAAPI*)(SOCKET);
using ShutdownFn = int(WSAAPI*)(SOCKET, int);
using SendFn = int(WSAAPI*)(SOCKET, const char*, int, int);
using RecvFn = int(WSAAPI*)(SOCKET, char*, int, int);
using SelectFn = int(WSAAPI*)(int, fd_set*, fd_set*, fd_set*, const timeval*);
using HtonsFn = u_short(WSAAPI*)(u_short);
using InetAddrFn = unsigned long(WSAAPI*)(const char*);
using HostByNameFn = hostent*(WSAAPI*)(const char*);

SOCKET Native(SocketHandle s) {
    return s == kNoSocket ? INVALID_SOCKET : static_cast<SOCKET>(s);
}

int ClampCount(long count) {
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(count);
}

}  // namespace

uint32_t SocketStartup() {
    auto startup = Lookup<StartupFn>(kWSAStartup);
    if (!startup) return t_loadError;
    WSADATA data;
    return static_cast<uint32_t>(startup(MAKEWORD(1, 1), &data));
}

void SocketCleanup() {
    if (auto cleanup = Lookup<CleanupFn>(kWSACleanup)) cleanup();
}

uint32_t SocketLastError() {
    if (t_loadError) return t_loadError;
    auto lastError = Lookup<LastErrorFn>(kWSAGetLastError);
    return lastError ? static_cast<uint32_t>(lastError()) : ERROR_PROC_NOT_FOUND;
}

SocketHandle SocketOpen(int family, int type, int protocol) {
    auto open = Lookup<SocketFn>(kSocket);
    if (!open) return kNoSocket;
    SOCKET s = open(family, type, protocol);
    // Socket handles are kernel handles, which fit in 32 bits on 64-bit Windows too.
    return s == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(s);
}

bool SocketCloseWakesBlockedCalls() {
    return true;
}

int SocketCloseHandle(SocketHandle s) {
    auto close = Lookup<CloseFn>(kCloseSocket);
    return close && close(Native(s)) == 0 ? 0 : -1;
}

int SocketShutdown(SocketHandle s, int how) {
    auto shutdown = Lookup<ShutdownFn>(kShutdown);
    return shutdown && shutdown(Native(s), how) == 0 ? 0 : -1;
}

int SocketConnect(SocketHandle s, const SocketAddress& to) {
    auto connect = Lookup<ConnectFn>(kConnect);
    if (!connect) return -1;
    sockaddr_in a{};
    a.sin_family = to.family;
    a.sin_port = to.port;
    a.sin_addr.s_addr = to.address;
    return connect(Native(s), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0 ? 0 : -1;
}

long SocketSend(SocketHandle s, const void* bytes, long count) {
    auto send = Lookup<SendFn>(kSend);
    if (!send) return -1;
    int n = send(Native(s), static_cast<const char*>(bytes), ClampCount(count), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

long SocketRecv(SocketHandle s, void* bytes, long count) {
    auto recv = Lookup<RecvFn>(kRecv);
    if (!recv) return -1;
    int n = recv(Native(s), static_cast<char*>(bytes), ClampCount(count), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

int SocketWaitReadable(SocketHandle s, long milliseconds) {
    auto select = Lookup<SelectFn>(kSelect);
    auto isSet = Lookup<FDIsSetFn>(kWSAFDIsSet);
    if (!select || !isSet) return -1;
    fd_set readable;
    readable.fd_count = 1;
    readable.fd_array[0] = Native(s);
    // Whole seconds, and the remaining milliseconds as microseconds.
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int n = select(0, &readable, nullptr, nullptr, milliseconds < 0 ? nullptr : &wait);
    if (n == SOCKET_ERROR) return -1;
    return n > 0 && isSet(Native(s), &readable) ? 1 : 0;
}

uint16_t HostToNetworkShort(uint16_t v) {
    auto htons = Lookup<HtonsFn>(kHtons);
    return htons ? htons(v) : static_cast<uint16_t>((v >> 8) | (v << 8));
}

uint32_t ParseDottedAddress(const char* text) {
    auto inetAddr = Lookup<InetAddrFn>(kInetAddr);
    return inetAddr ? static_cast<uint32_t>(inetAddr(text ? text : "")) : kNoAddress;
}

bool ResolveHostName(const char* name, uint32_t* address) {
    auto byName = Lookup<HostByNameFn>(kGetHostByName);
    if (!byName) return false;
    hostent* h = byName(name ? name : "");
    if (!h || !h->h_addr_list || !h->h_addr_list[0] || h->h_length < 4) return false;
    uint32_t a;
    memcpy(&a, h->h_addr_list[0], sizeof a);
    *address = a;
    return true;
}

}  // namespace platform
