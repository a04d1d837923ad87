#include "socket/CommPort.h"

#include <cstring>

#include "platform/Clock.h"
#include "platform/Socket.h"

CommPort::~CommPort() {
    EndTransfer(kCommCancelled);
}

uint32_t CommPort::BeginRead(long size, CommListener* listener) {
    EndTransfer(kCommCancelled);
    if (size < 0) size = 0;
    direction_ = kRead;
    size_ = size;
    transfer_.assign(static_cast<size_t>(size), 0);
    data_ = nullptr;
    listener_ = listener;
    return 0;
}

uint32_t CommPort::BeginWrite(const void* data, long size, CommListener* listener) {
    EndTransfer(kCommCancelled);
    if (size < 0 || !data) size = 0;
    if (size > static_cast<long>(kCommMaxWrite)) size = kCommMaxWrite;
    direction_ = kWrite;
    size_ = size;
    const char* bytes = static_cast<const char*>(data);
    transfer_.assign(bytes, bytes + size);
    data_ = data;
    listener_ = listener;
    return 0;
}

uint32_t CommPort::RunTransfer() {
    if (direction_ == kNone) return 0;
    char* bytes = transfer_.empty() ? nullptr : transfer_.data();
    uint32_t code = size_ == 0            ? 0
                    : direction_ == kRead ? ReadAll(bytes, size_)
                                          : Send(bytes, size_);
    EndTransfer(code, code == 0 ? size_ : 0);
    return code;
}

void CommPort::EndTransfer(uint32_t code, long count) {
    if (direction_ == kNone) return;
    CommListener* listener = listener_;
    std::vector<char> bytes;
    bytes.swap(transfer_);
    direction_ = kNone;
    size_ = 0;
    data_ = nullptr;
    listener_ = nullptr;
    if (listener)
        listener->TransferEnded(*this, code, bytes.empty() ? nullptr : bytes.data(), count);
}

// Waits until a byte can be read or the line's time is up.
uint32_t CommPort::WaitForByte(uint32_t deadline) {
    uint32_t now = platform::TickCount();
    int32_t left = static_cast<int32_t>(deadline - now);
    if (left < 0) left = 0;
    bool idle = true;
    if (uint32_t err = WaitIdle(static_cast<uint32_t>(left), &idle)) return err;
    return idle ? static_cast<uint32_t>(platform::kWsaTimedOut) : 0u;
}

uint32_t CommPort::ReadLine(char* buffer, long capacity, long* count) {
    if (count) *count = 0;
    if (capacity <= 0 || !buffer) return 0;
    const uint32_t deadline = platform::TickCount() + lineTimeout_;
    long n = 0;
    uint32_t err = 0;
    bool ended = false;
    while (n < capacity - 1) {
        if (lineTimeout_ && (err = WaitForByte(deadline)) != 0) break;
        char c;
        if ((err = ReadAll(&c, 1)) != 0) break;
        if (c == '\n' || c == '\0') {
            if (c == '\n' && n > 0 && buffer[n - 1] == '\r') --n;
            ended = true;
            break;
        }
        buffer[n++] = c;
    }
    // A line handed out in pieces still has one length, and it has a limit.
    lineCut_ = !ended && !err;
    cutLength_ = lineCut_ ? cutLength_ + n : 0;
    if (cutLength_ > longestLine_) err = static_cast<uint32_t>(kCheckLineTooLong);
    buffer[n] = '\0';
    if (count) *count = n;
    return err;
}

uint32_t CommPort::WriteLine(const char* text) {
    size_t n = text ? strlen(text) : 0;
    std::vector<char> line(n + 2);
    if (n) memcpy(line.data(), text, n);
    line[n] = '\r';
    line[n + 1] = '\n';
    return Send(line.data(), static_cast<long>(line.size()));
}
