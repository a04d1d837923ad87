#pragma once
// A scripted HTTP/1.1 server (and HTTP proxy) on 127.0.0.1, an ephemeral
// port, for tests. Each path gets the reply a test sets for it; a request
// for an unknown path gets 404. A proxy request ("GET http://host/path")
// is answered from the same script by its path, so one server can stand in
// for both the proxy and the site behind it. Connections are served one at
// a time and closed after each reply; every wait is bounded and the server
// stops in its destructor.
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/LoopbackSocket.h"

struct HttpReply {
    int status = 200;
    std::string reason = "OK";
    std::vector<std::string> headers;  // "Name: value", without line ends
    std::string body;
    size_t bodyRepeat = 1;          // the body is sent this many times
    bool sendContentLength = true;  // else the body ends with the connection
    uint32_t delayMs = 0;           // pause before the status line
    size_t pieceBytes = 0;          // slow body: sent in pieces of this size...
    uint32_t pieceDelayMs = 0;      // ...each after this pause
    bool neverAnswer = false;       // reads the request and then stays silent
    // "user:password": a request without these proxy credentials is
    // answered 407 with a Basic challenge first.
    std::string proxyCredentials;
};

struct HttpSeen {
    std::string method;
    std::string target;  // as sent: a path, or a whole URL through a proxy
    std::string head;    // the header lines, CR LF ended
    // The value of the first header of that name (any case), or "".
    std::string Header(const std::string& name) const;
};

class LoopbackHttpServer {
  public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    uint16_t Port() const { return listener_.Port(); }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string Url(const std::string& path) const;
    // The reply to every request for the path (query included).
    void Answer(const std::string& path, const HttpReply& reply);

    std::vector<HttpSeen> Requests() const;
    int Connections() const { return connections_.load(); }

  private:
    void Serve();
    void Handle(LoopbackConnection& c);
    bool ReadHead(LoopbackConnection& c, std::string* head);
    void Reply(LoopbackConnection& c, const HttpReply& reply);
    bool Pause(uint32_t ms);

    LoopbackListener listener_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::map<std::string, HttpReply> replies_;
    std::vector<HttpSeen> seen_;
    std::thread thread_;
};

// The Basic credentials header value for "user:password".
std::string BasicCredentials(const std::string& userColonPassword);
