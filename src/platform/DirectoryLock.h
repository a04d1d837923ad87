#pragma once
// An exclusive lock on a program directory, held through an open lock file
// for as long as the object lives. The operating system drops the lock when
// the process ends, however it ends, so a crash never leaves a stale lock.
#include <cstdint>
#include <string>

namespace platform {

class DirectoryLock {
  public:
    DirectoryLock() = default;
    ~DirectoryLock() { Release(); }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    // Takes the lock on the lock file at `path` (created when missing);
    // false when another process holds it or the file cannot be opened, with
    // the platform's error code in *error (32, sharing violation, when the
    // lock is held elsewhere).
    bool Acquire(const std::string& path, uint32_t* error);
    void Release();
    bool IsHeld() const { return handle_ != -1; }

  private:
    intptr_t handle_ = -1;
};

// The error code Acquire gives when another process holds the lock.
constexpr uint32_t kErrLockHeld = 32;

}  // namespace platform
