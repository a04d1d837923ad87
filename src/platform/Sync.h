#pragma once
// The locks and events that workers and their host share: a critical
// section and a manual-reset event, the same on every platform.
#include <cstddef>
#include <cstdint>

namespace platform {

constexpr uint32_t kWaitForever = 0xFFFFFFFF;

// A critical section. Its owner may enter it again (re-entrant).
class Lock {
  public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Enter();
    void Leave();

  private:
    struct Impl;
    Impl* impl_;
};

// Holds a lock for the life of a scope.
class LockGuard {
  public:
    explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
    ~LockGuard() { lock_.Leave(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    Lock& lock_;
};

// A manual-reset event: once set it stays set until reset, and every waiter
// is released.
class Event {
  public:
    explicit Event(bool initiallySet = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // Tested without waiting.
    bool IsSet() const;
    // True when the event was set within ms milliseconds (kWaitForever: no
    // limit).
    bool Wait(uint32_t ms) const;

  private:
    struct Impl;
    Impl* impl_;
};

// Waits until every event is set or the limit has passed; true when all were
// set. Events that are null are skipped.
bool WaitForAll(const Event* const* events, size_t count, uint32_t ms);

}  // namespace platform
