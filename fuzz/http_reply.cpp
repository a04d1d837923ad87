// Whatever a server answers: arbitrary bytes as the reply to a download,
// through status line, headers (Content-Type, Last-Modified, Location,
// Transfer-Encoding) and body. Every request, redirections included, goes
// to a loopback server that this target runs, which also serves as the
// proxy, so no other address is ever contacted.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Files.h"
#include "platform/HostQueue.h"
#include "http/DownloadNode.h"

namespace {

// Answers every connection with the current reply bytes, then closes it.
class ReplyServer {
  public:
    ReplyServer() {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            listen(listener_, 16) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            std::abort();
        port_ = ntohs(a.sin_port);
        std::thread([this] { Serve(); }).detach();
    }

    uint16_t Port() const { return port_; }
    void SetReply(std::string bytes) {
        std::lock_guard<std::mutex> lock(mutex_);
        reply_ = std::move(bytes);
    }

  private:
    void Serve() {
        for (;;) {
            int c = accept(listener_, nullptr, nullptr);
            if (c < 0) continue;
            std::string head;
            char buffer[2048];
            pollfd p{c, POLLIN, 0};
            while (head.find("\r\n\r\n") == std::string::npos && poll(&p, 1, 200) > 0) {
                long n = recv(c, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                head.append(buffer, static_cast<size_t>(n));
            }
            std::string reply;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                reply = reply_;
            }
            send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
            close(c);
        }
    }

    int listener_;
    uint16_t port_ = 0;
    std::mutex mutex_;
    std::string reply_;
};

struct Setup {
    Setup() {
        unsetenv("no_proxy");
        unsetenv("NO_PROXY");
        std::string base = "/tmp/fuzz_http_reply_" + std::to_string(getpid());
        target = base + ".tmp";
        stored = base + ".htm";
        FILE* f = std::fopen(stored.c_str(), "wb");
        std::fputs("<html>a stored copy of a page</html>", f);
        std::fclose(f);
        settings.proxy.on = true;
        settings.proxy.host = "127.0.0.1";
        settings.proxy.port = server.Port();
        settings.timeouts.connectMs = 1000;
        settings.timeouts.receiveMs = 300;
        settings.charsetOf = [](const char* type) { return static_cast<int32_t>(type[0] & 3); };
    }
    ReplyServer server;
    std::string target, stored;
    DownloadSettings settings;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup* setup = new Setup;
    setup->server.SetReply(std::string(reinterpret_cast<const char*>(data), size));
    auto queue = std::make_shared<platform::HostQueue>();
    std::string url = "http://127.0.0.1:" + std::to_string(setup->server.Port()) + "/page.htm";
    DownloadNode node(queue, url.c_str(), setup->target.c_str(), setup->stored.c_str(),
                      setup->settings);
    DownloadThread* thread = node.Thread();
    if (!thread->Start(platform::kPriorityNormal)) std::abort();
    platform::HostMessage m{};
    uint64_t reported = 0;
    for (;;) {
        // Every time-out is short: a download that says nothing for long hangs.
        if (!queue->Take(&m, 30000)) std::abort();
        if (m.sender != thread) std::abort();
        if (m.what == platform::Report::kThreadEnd) break;
        reported += m.param;
    }
    int32_t result = thread->GetResult();
    uint32_t status = thread->HttpStatus();
    if (result == 0 && status != 304 &&
        platform::FileSize(setup->target.c_str()) != static_cast<long long>(reported))
        std::abort();  // a success leaves the whole body, as reported, in the file
    if (result == -1 && status < 400) std::abort();
    return 0;
}
