#include "support/LoopbackPop3Server.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

constexpr uint32_t kSlice = 20;  // how often waits look at the stop flag

}  // namespace

bool Pop3ServerConnection::Send(const std::string& bytes) {
    return connection_.Send(bytes);
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
        if (connection_.WaitReadable(kSlice)) return true;
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
        long n = connection_.Receive(buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

bool Pop3ServerConnection::WaitForClose(uint32_t timeoutMs) {
    char buffer[512];
    while (WaitReadable(timeoutMs))
        if (connection_.Receive(buffer, sizeof buffer) <= 0) return true;
    return false;
}

void Pop3ServerConnection::Close() {
    connection_.Close();
}

LoopbackPop3Server::LoopbackPop3Server() : thread_([this] { Serve(); }) {}

LoopbackPop3Server::~LoopbackPop3Server() {
    stopping_ = true;
    thread_.join();
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
        intptr_t accepted = listener_.Accept(kSlice);
        if (accepted == -1) continue;
        Script script;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++connections_;
            script = script_;
        }
        Pop3ServerConnection c(accepted, stopping_);
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
