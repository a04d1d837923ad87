#pragma once
// The portable host's end of the worker messages: a thread-safe queue that
// workers post to and the host's loop drains, oldest first.
#include <deque>

#include "platform/ReportTarget.h"
#include "platform/Sync.h"

namespace platform {

struct HostMessage {
    Report what;
    uintptr_t param;
    void* sender;
};

class HostQueue : public ReportTarget {
  public:
    HostQueue();
    bool Post(Report what, uintptr_t param, void* sender) override;

    // Takes the oldest message, waiting up to ms milliseconds for one to
    // arrive (0: only looks); false when none came.
    bool Take(HostMessage* message, uint32_t ms = 0);
    size_t Size();
    // Drops what is queued and refuses later posts: the host has stopped.
    void Close();

  private:
    Lock lock_;
    Event nonEmpty_;
    std::deque<HostMessage> messages_;
    bool closed_ = false;
};

}  // namespace platform
