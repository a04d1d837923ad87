#include "support/LoopbackHttpServer.h"

#include <algorithm>
#include <chrono>
#include <cctype>

namespace {

constexpr uint32_t kSlice = 20;          // ms between looks at the stop flag
constexpr uint32_t kHeadWaitMs = 10000;  // a client that sends no request is dropped
constexpr size_t kHeadLimit = 65536;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The path of a request target: a proxy's absolute URL loses its scheme
// and host.
std::string PathOf(const std::string& target) {
    size_t scheme = target.find("://");
    if (scheme == std::string::npos) return target;
    size_t slash = target.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : target.substr(slash);
}

}  // namespace

std::string BasicCredentials(const std::string& text) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out = "Basic ";
    for (size_t i = 0; i < text.size(); i += 3) {
        uint32_t v = static_cast<unsigned char>(text[i]) << 16;
        if (i + 1 < text.size()) v |= static_cast<unsigned char>(text[i + 1]) << 8;
        if (i + 2 < text.size()) v |= static_cast<unsigned char>(text[i + 2]);
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < text.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < text.size() ? kDigits[v & 63] : '=';
    }
    return out;
}

std::string HttpSeen::Header(const std::string& name) const {
    std::string want = Lower(name) + ":";
    size_t pos = 0;
    while (pos < head.size()) {
        size_t end = head.find("\r\n", pos);
        if (end == std::string::npos) end = head.size();
        std::string line = head.substr(pos, end - pos);
        if (Lower(line.substr(0, want.size())) == want) {
            size_t v = want.size();
            while (v < line.size() && line[v] == ' ') ++v;
            return line.substr(v);
        }
        pos = end + 2;
    }
    return "";
}

LoopbackHttpServer::LoopbackHttpServer() : thread_([this] { Serve(); }) {}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    thread_.join();
}

std::string LoopbackHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(Port()) + path;
}

void LoopbackHttpServer::Answer(const std::string& path, const HttpReply& reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_[path] = reply;
}

std::vector<HttpSeen> LoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void LoopbackHttpServer::Serve() {
    while (!stopping_) {
        intptr_t s = listener_.Accept(kSlice);
        if (s == -1) continue;
        ++connections_;
        LoopbackConnection c(s);
        Handle(c);
    }
}

bool LoopbackHttpServer::Pause(uint32_t ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_ && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<uint32_t>(ms, kSlice)));
    return !stopping_;
}

bool LoopbackHttpServer::ReadHead(LoopbackConnection& c, std::string* head) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHeadWaitMs);
    char buffer[4096];
    while (head->find("\r\n\r\n") == std::string::npos) {
        if (stopping_ || std::chrono::steady_clock::now() > end || head->size() > kHeadLimit)
            return false;
        if (!c.WaitReadable(kSlice)) continue;
        long n = c.Receive(buffer, sizeof buffer);
        if (n <= 0) return false;
        head->append(buffer, static_cast<size_t>(n));
        // Not HTTP (a TLS hello, say): drop it at once.
        if (!std::isalpha(static_cast<unsigned char>((*head)[0]))) return false;
    }
    return true;
}

void LoopbackHttpServer::Handle(LoopbackConnection& c) {
    std::string head;
    if (!ReadHead(c, &head)) return;
    HttpSeen seen;
    size_t lineEnd = head.find("\r\n");
    std::string requestLine = head.substr(0, lineEnd);
    size_t sp1 = requestLine.find(' ');
    size_t sp2 = requestLine.find(' ', sp1 + 1);
    seen.method = requestLine.substr(0, sp1);
    seen.target = sp1 == std::string::npos ? "" : requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    seen.head = head.substr(lineEnd + 2, head.size() - lineEnd - 4);

    HttpReply reply;
    reply.status = 404;
    reply.reason = "Not Found";
    reply.body = "no such page";
    {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(seen);
        auto it = replies_.find(PathOf(seen.target));
        if (it != replies_.end()) reply = it->second;
    }
    if (!reply.proxyCredentials.empty() &&
        seen.Header("Proxy-Authorization") != BasicCredentials(reply.proxyCredentials)) {
        HttpReply challenge;
        challenge.status = 407;
        challenge.reason = "Proxy Authentication Required";
        challenge.headers = {"Proxy-Authenticate: Basic realm=\"loopback\""};
        challenge.body = "proxy credentials needed";
        reply = challenge;
    }
    if (reply.neverAnswer) {
        // Silent until the client gives up or the server stops.
        char buffer[512];
        while (!stopping_)
            if (c.WaitReadable(kSlice) && c.Receive(buffer, sizeof buffer) <= 0) return;
        return;
    }
    Reply(c, reply);
}

void LoopbackHttpServer::Reply(LoopbackConnection& c, const HttpReply& reply) {
    if (reply.delayMs && !Pause(reply.delayMs)) return;
    std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
    for (const std::string& h : reply.headers) out += h + "\r\n";
    if (reply.sendContentLength)
        out += "Content-Length: " + std::to_string(reply.body.size() * reply.bodyRepeat) + "\r\n";
    out += "Connection: close\r\n\r\n";
    if (!c.Send(out)) return;
    for (size_t r = 0; r < reply.bodyRepeat && !stopping_; ++r) {
        if (!reply.pieceBytes) {
            if (!c.Send(reply.body)) return;
            continue;
        }
        for (size_t at = 0; at < reply.body.size(); at += reply.pieceBytes) {
            if (!Pause(reply.pieceDelayMs)) return;
            if (!c.Send(reply.body.substr(at, reply.pieceBytes))) return;
        }
    }
}
