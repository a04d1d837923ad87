#pragma once
// Where workers report: a thread posts "thread end" and "bytes read"
// messages to its host and never waits for them to be handled. On Windows
// the host is a window that receives the registered messages
// "_WM_THREADEND" and "_WM_BYTESREAD"; elsewhere (and in tests) it is a
// HostQueue that the host's loop drains.
#include <cstdint>

namespace platform {

enum class Report : uint32_t {
    kThreadEnd,  // param: the kind of worker (1 download, 2 comparison); sender: the thread
    kBytesRead,  // param: bytes read since the previous report; sender: the thread
};

class ReportTarget {
  public:
    virtual ~ReportTarget() = default;
    // Queues the message for the host's thread; false when it could not be
    // queued (the host is gone). Safe to call from any thread.
    virtual bool Post(Report what, uintptr_t param, void* sender) = 0;
};

}  // namespace platform
