#pragma once
// A scripted POP3 server on 127.0.0.1 (an ephemeral port) for tests. By
// default it serves a mailbox of messages like a real server (greeting,
// USER, PASS, UIDL, TOP n 0, QUIT); each reply can be replaced by raw
// bytes, and a test can take over a whole connection to play a hostile
// server. It serves one connection at a time and stops in its destructor.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/LoopbackSocket.h"

// One accepted connection, as the server's script sees it.
class Pop3ServerConnection {
  public:
    Pop3ServerConnection(intptr_t socket, const std::atomic<bool>& stopping)
        : connection_(socket), stopping_(stopping) {}

    // Sends bytes as they are; false when the client is gone.
    bool Send(const std::string& bytes);
    // Sends one byte at a time with a pause after each.
    bool SendSlowly(const std::string& bytes, uint32_t pauseMs);
    // One line from the client without its CR LF; false when the client
    // closed the connection, the time ran out or the server stops.
    bool ReadLine(std::string* line, uint32_t timeoutMs = 5000);
    // Waits until the client closes the connection (or the time runs out).
    bool WaitForClose(uint32_t timeoutMs);
    // Closes the connection at once.
    void Close();

  private:
    bool WaitReadable(uint32_t timeoutMs);
    LoopbackConnection connection_;
    const std::atomic<bool>& stopping_;
    std::string pending_;
};

struct Pop3TestMessage {
    std::string uid;
    std::string headers;  // header lines, each ended by CR LF
};

class LoopbackPop3Server {
  public:
    using Script = std::function<void(Pop3ServerConnection&)>;

    LoopbackPop3Server();
    ~LoopbackPop3Server();
    LoopbackPop3Server(const LoopbackPop3Server&) = delete;
    LoopbackPop3Server& operator=(const LoopbackPop3Server&) = delete;

    uint16_t Port() const { return listener_.Port(); }

    // The mailbox the default dialogue serves (message numbers from 1).
    void SetMessages(std::vector<Pop3TestMessage> messages);
    // Replaces the reply to "greeting", "USER", "PASS", "UIDL", "TOP" or
    // "QUIT" by raw bytes (CR LF included by the caller). For UIDL and TOP
    // the bytes stand for the whole reply, listing or headers included.
    void SetReply(const std::string& command, const std::string& raw);
    // Takes over every following connection.
    void SetScript(Script script);

    // Every line the clients sent, in order, and the number of connections.
    std::vector<std::string> Received() const;
    int Connections() const;
    // Waits until the server has finished every connection it accepted (a
    // client may leave before the server has read its last line); false
    // when the time ran out.
    bool WaitConnectionsEnded(uint32_t timeoutMs = 5000) const;

  private:
    void Serve();
    void RunDefault(Pop3ServerConnection& c);
    bool Reply(Pop3ServerConnection& c, const std::string& command, const std::string& normal);
    void Record(const std::string& line);

    LoopbackListener listener_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Pop3TestMessage> messages_;
    std::vector<std::pair<std::string, std::string>> replies_;
    Script script_;
    std::vector<std::string> received_;
    int connections_ = 0;
    int ended_ = 0;
    mutable std::condition_variable endedChanged_;
    std::thread thread_;
};
