#include "socket/CommTlsPort.h"

#include <cstring>

#include "platform/Socket.h"
#include "stream/TextStream.h"

CommTlsPort::~CommTlsPort() {
    // The listener of a pending transfer hears of its end while the port
    // is still whole.
    EndTransfer(kCommCancelled);
}

uint32_t CommTlsPort::StartTls(const char* host, const std::vector<TlsPin>& pins) {
    session_ = NewTlsSession(*this);
    if (!session_) return kTlsUnavailable;
    if (uint32_t err = session_->Handshake(host)) return err;
    if (uint32_t err = JudgeCertificate(session_->Peer(), host, pins)) return err;
    secure_ = true;
    return 0;
}

void CommTlsPort::Close() {
    if (secure_ && socket_.IsOpen()) {
        secure_ = false;
        session_->Shutdown();
    }
    socket_.Close();
}

uint32_t CommTlsPort::ReadAll(void* bytes, long count) {
    if (!secure_) return socket_.ReadAll(bytes, count);
    char* p = static_cast<char*>(bytes);
    while (count > 0) {
        if (plainPos_ == plain_.size()) {
            plain_.clear();
            plainPos_ = 0;
            if (uint32_t err = session_->Receive(plain_)) return err;
        }
        size_t n = plain_.size() - plainPos_;
        if (n > static_cast<size_t>(count)) n = static_cast<size_t>(count);
        memcpy(p, plain_.data() + plainPos_, n);
        plainPos_ += n;
        p += n;
        count -= static_cast<long>(n);
    }
    return 0;
}

uint32_t CommTlsPort::Send(const void* bytes, long count) {
    if (secure_) return session_->Send(bytes, count);
    return SendRaw(bytes, count);
}

uint32_t CommTlsPort::WaitIdle(uint32_t milliseconds, bool* idle) {
    if (secure_ && (plainPos_ < plain_.size() || session_->HasBuffered())) {
        if (idle) *idle = false;
        return 0;
    }
    return socket_.WaitIdle(milliseconds, idle);
}

bool CommTlsPort::HasNoData() {
    bool idle = false;
    IsIdle(&idle);
    return idle;
}

void CommTlsPort::Dump(otwstream& out) {
    socket_.Dump(out);
    if (secure_) out.WriteText(" tls");
}

uint32_t CommTlsPort::SendRaw(const void* bytes, long count) {
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        long sent = 0;
        if (uint32_t err = socket_.SendSome(p, count, &sent)) return err;
        p += sent;
        count -= sent;
    }
    return 0;
}

uint32_t CommTlsPort::ReceiveRaw(void* bytes, long max, long* received) {
    if (uint32_t timeout = LineTimeout()) {
        bool idle = true;
        if (uint32_t err = socket_.WaitIdle(timeout, &idle)) return err;
        if (idle) return platform::kWsaTimedOut;
    }
    return socket_.ReceiveSome(bytes, max, received);
}
