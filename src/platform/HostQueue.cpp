#include "platform/HostQueue.h"

#include "platform/Clock.h"

namespace platform {

HostQueue::HostQueue() : nonEmpty_(false) {}

bool HostQueue::Post(Report what, uintptr_t param, void* sender) {
    LockGuard guard(lock_);
    if (closed_) return false;
    messages_.push_back(HostMessage{what, param, sender});
    nonEmpty_.Set();
    return true;
}

bool HostQueue::Take(HostMessage* message, uint32_t ms) {
    uint32_t start = TickCount();
    for (;;) {
        {
            LockGuard guard(lock_);
            if (!messages_.empty()) {
                *message = messages_.front();
                messages_.pop_front();
                if (messages_.empty()) nonEmpty_.Reset();
                return true;
            }
        }
        uint32_t spent = TickCount() - start;
        if (ms != kWaitForever && spent >= ms) return false;
        // Another taker may empty the queue between the wake-up and the
        // lock; the loop then waits again for the rest of the time.
        if (!nonEmpty_.Wait(ms == kWaitForever ? kWaitForever : ms - spent)) return false;
    }
}

size_t HostQueue::Size() {
    LockGuard guard(lock_);
    return messages_.size();
}

void HostQueue::Close() {
    LockGuard guard(lock_);
    closed_ = true;
    messages_.clear();
    nonEmpty_.Reset();
}

}  // namespace platform
