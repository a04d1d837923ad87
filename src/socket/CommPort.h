#pragma once
// A connection that reads and writes bytes and lines. Every operation
// returns 0 or an error code (WinSock numbers for socket failures); nothing
// throws.
#include <cstdint>
#include <vector>

#include "socket/CheckLimits.h"

class CommPort;
class otwstream;

// Told when a pending transfer of a port ends: the code is 0 or the error
// (1223 when the port was destroyed first); for a read the bytes are the
// transfer buffer, for a write the bytes that were to be sent.
class CommListener {
  public:
    virtual void TransferEnded(CommPort& port, uint32_t code, const char* bytes, long count) = 0;

  protected:
    ~CommListener() = default;
};

// Progress codes passed to Notify (the numbers of the internet status codes).
enum : uint32_t {
    kCommResolving = 10,   // data: the host name
    kCommResolved = 11,    // data: the host name
    kCommConnecting = 20,  // data: the socket address
    kCommConnected = 21,   // data: the socket address
    kCommCreated = 60,     // data: the socket
    kCommClosing = 70,     // data: the socket
};

constexpr uint32_t kCommCancelled = 1223;  // ERROR_CANCELLED
constexpr uint32_t kCommMaxWrite = 1024;   // largest pending write

class CommPort {
  public:
    CommPort() = default;
    CommPort(const CommPort&) = delete;
    CommPort& operator=(const CommPort&) = delete;
    // Ends a pending transfer with 1223.
    virtual ~CommPort();

    virtual void Close() = 0;
    virtual bool IsOpen() = 0;
    // Blocks until count bytes have arrived.
    virtual uint32_t ReadAll(void* bytes, long count) = 0;
    // One send; a partial send is not repeated.
    virtual uint32_t Send(const void* bytes, long count) = 0;
    // Sets up a pending read of size bytes, or a pending write of at most
    // kCommMaxWrite bytes; RunTransfer carries it out.
    virtual uint32_t BeginRead(long size, CommListener* listener);
    virtual uint32_t BeginWrite(const void* data, long size, CommListener* listener);
    // idle: no data is waiting (IsIdle), or the time ran out without data (WaitIdle).
    virtual uint32_t IsIdle(bool* idle) = 0;
    virtual uint32_t WaitIdle(uint32_t milliseconds, bool* idle) = 0;
    virtual bool HasNoData() = 0;
    virtual void Dump(otwstream& out) = 0;
    // Progress hook, called with the kComm... codes.
    virtual void Notify(uint32_t code, const void* data, long length) {}

    // One line: up to capacity-1 bytes until LF or a 0 byte, read one byte at
    // a time; the LF and a CR before it are not stored; the buffer is
    // zero-terminated. With a line time-out set, a line that has not arrived
    // whole within it ends with 10060 (WSAETIMEDOUT). A line longer than the
    // capacity is handed out in pieces (LineCut tells); once its pieces pass
    // the longest line, the read ends with kCheckLineTooLong.
    uint32_t ReadLine(char* buffer, long capacity, long* count = nullptr);
    // The text and CR LF in one Send.
    uint32_t WriteLine(const char* text);

    // Milliseconds one ReadLine may wait in all; 0 waits without limit.
    void SetLineTimeout(uint32_t milliseconds) { lineTimeout_ = milliseconds; }
    void SetLongestLine(long bytes) { longestLine_ = bytes; }
    // The last ReadLine stopped at its capacity before the line's end.
    bool LineCut() const { return lineCut_; }
    uint32_t LineTimeout() const { return lineTimeout_; }

    bool HasPendingTransfer() const { return direction_ != kNone; }
    // Carries out the pending transfer and tells its listener.
    uint32_t RunTransfer();

  protected:
    // Ends the pending transfer, if any, telling its listener the code.
    void EndTransfer(uint32_t code, long count = 0);

  private:
    enum : int { kNone = -1, kWrite = 0, kRead = 1 };
    uint32_t WaitForByte(uint32_t deadline);

    int direction_ = kNone;
    long size_ = 0;
    std::vector<char> transfer_;
    const void* data_ = nullptr;
    CommListener* listener_ = nullptr;
    uint32_t lineTimeout_ = 0;
    long longestLine_ = kLongestReplyLine;
    long cutLength_ = 0;  // bytes of the current line handed out so far
    bool lineCut_ = false;
};
