#include "support/LoopbackPop3Server.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
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

NativeSocket Native(intptr_t s) { return static_cast<NativeSocket>(s); }

void CloseNative(intptr_t s) {
#ifdef _WIN32
    closesocket(Native(s));
#else
    ::close(Native(s));
#endif
}

// True when the socket becomes readable within ms milliseconds.
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

long SendSome(intptr_t s, const char* bytes, size_t n) {
#ifdef _WIN32
    return ::send(Native(s), bytes, static_cast<int>(n), 0);
#else
    return ::send(Native(s), bytes, n, MSG_NOSIGNAL);
#endif
}

long RecvSome(intptr_t s, char* bytes, size_t n) {
    return ::recv(Native(s), bytes, static_cast<int>(n), 0);
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

constexpr uint32_t kSlice = 20;  // how often waits look at the stop flag

}  // namespace

bool Pop3ServerConnection::Send(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        long n = SendSome(socket_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool Pop3ServerConnection::SendSlowly(const std::string& bytes, uint32_t pauseMs) {
    for (char c : bytes) {
        if (stopping_ || !Send(std::string(1, c))) return false;
        for (uint32_t waited = 0; waited < pauseMs && !stopping_; waited += kSlice)
            std::this_thread::sleep_for(std::chrono::milliseconds(kSlice));
    }
    return true;
}

bool Pop3ServerConnection::WaitReadable(uint32_t timeoutMs) {
    for (uint32_t waited = 0; waited < timeoutMs && !stopping_; waited += kSlice)
        if (Readable(socket_, kSlice)) return true;
    return false;
}

bool Pop3ServerConnection::ReadLine(std::string* line, uint32_t timeoutMs) {
    for (;;) {
        size_t lf = pending_.find('\n');
        if (lf != std::string::npos) {
            *line = pending_.substr(0, lf);
            if (!line->empty() && line->back() == '\r') line->pop_back();
            pending_.erase(0, lf + 1);
            return true;
        }
        if (!WaitReadable(timeoutMs)) return false;
        char buffer[512];
        long n = RecvSome(socket_, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

bool Pop3ServerConnection::WaitForClose(uint32_t timeoutMs) {
    char buffer[512];
    while (WaitReadable(timeoutMs))
        if (RecvSome(socket_, buffer, sizeof buffer) <= 0) return true;
    return false;
}

void Pop3ServerConnection::Close() {
    if (socket_ == -1) return;
    CloseNative(socket_);
    socket_ = -1;
}

LoopbackPop3Server::LoopbackPop3Server() {
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
#endif
    NativeSocket s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    SockLen length = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(s, 8);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    listener_ = static_cast<intptr_t>(s);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackPop3Server::~LoopbackPop3Server() {
    stopping_ = true;
    thread_.join();
    CloseNative(listener_);
#ifdef _WIN32
    WSACleanup();
#endif
}

void LoopbackPop3Server::SetMessages(std::vector<Pop3TestMessage> messages) {
    std::lock_guard<std::mutex> lock(mutex_);
    messages_ = std::move(messages);
}

void LoopbackPop3Server::SetReply(const std::string& command, const std::string& raw) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_.emplace_back(command, raw);
}

void LoopbackPop3Server::SetScript(Script script) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_ = std::move(script);
}

std::vector<std::string> LoopbackPop3Server::Received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

int LoopbackPop3Server::Connections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

bool LoopbackPop3Server::WaitConnectionsEnded(uint32_t timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return endedChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [this] { return ended_ == connections_; });
}

void LoopbackPop3Server::Record(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.push_back(line);
}

void LoopbackPop3Server::Serve() {
    while (!stopping_) {
        if (!Readable(listener_, kSlice)) continue;
        NativeSocket accepted = ::accept(Native(listener_), nullptr, nullptr);
#ifdef _WIN32
        if (accepted == INVALID_SOCKET) continue;
#else
        if (accepted < 0) continue;
#endif
        Script script;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++connections_;
            script = script_;
        }
        Pop3ServerConnection c(static_cast<intptr_t>(accepted), stopping_);
        if (script)
            script(c);
        else
            RunDefault(c);
        c.Close();
        std::lock_guard<std::mutex> lock(mutex_);
        ++ended_;
        endedChanged_.notify_all();
    }
}

// Sends the test's raw reply for the command when it set one, else the
// normal one; false when the connection is gone.
bool LoopbackPop3Server::Reply(Pop3ServerConnection& c, const std::string& command,
                               const std::string& normal) {
    std::string reply = normal;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& r : replies_)
            if (r.first == command) reply = r.second;
    }
    return c.Send(reply);
}

void LoopbackPop3Server::RunDefault(Pop3ServerConnection& c) {
    if (!Reply(c, "greeting", "+OK loopback POP3 ready\r\n")) return;
    std::string line;
    while (c.ReadLine(&line)) {
        Record(line);
        std::string word = Upper(line.substr(0, line.find(' ')));
        std::vector<Pop3TestMessage> messages;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            messages = messages_;
        }
        std::string normal = "-ERR unknown command\r\n";
        if (word == "USER" || word == "PASS") {
            normal = "+OK\r\n";
        } else if (word == "UIDL") {
            normal = "+OK\r\n";
            for (size_t i = 0; i < messages.size(); ++i)
                normal += std::to_string(i + 1) + " " + messages[i].uid + "\r\n";
            normal += ".\r\n";
        } else if (word == "TOP") {
            size_t n = static_cast<size_t>(std::atoi(line.c_str() + 4));
            if (n >= 1 && n <= messages.size())
                normal = "+OK\r\n" + messages[n - 1].headers + "\r\n.\r\n";
            else
                normal = "-ERR no such message\r\n";
        } else if (word == "QUIT") {
            Reply(c, "QUIT", "+OK bye\r\n");
            return;
        }
        if (!Reply(c, word, normal)) return;
    }
}
