#pragma once
// Thread: the base of every worker. It is created and owned on the host's
// thread, runs its work on an operating-system thread of its own, can be
// asked to abort, reports its end by posting to a report target, and is
// reference-counted so that either side may let go first: the creator holds
// the first reference, Start adds one for the running thread, and the
// thread drops it in Finish once the finished event is set.
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/ReportTarget.h"
#include "platform/Sync.h"

namespace platform {

// Windows thread priorities; the POSIX build maps them onto nice values.
enum : int {
    kPriorityIdle = -15,
    kPriorityLowest = -2,
    kPriorityBelowNormal = -1,
    kPriorityNormal = 0,
    kPriorityAboveNormal = 1,
    kPriorityHighest = 2,
};

// How long the host waits for aborted workers when it shuts down.
constexpr uint32_t kShutdownWaitMs = 5000;

// Something a blocking call waits on (a socket, a connection) that can be
// told to give up at once when its thread is aborted.
class AbortHook {
  public:
    virtual ~AbortHook() = default;
    virtual void Abort() = 0;
};

struct ThreadHandles;

class Thread {
  public:
    // report: where the end message goes; none means no message.
    explicit Thread(std::shared_ptr<ReportTarget> report = nullptr);
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // The work, on the worker thread; its value becomes the result. This
    // one only posts the end message with kind 0.
    virtual int32_t Run();
    // Sets the abort event and calls the abort hook; never waits.
    virtual void Abort();
    virtual bool IsAbortRequested();
    // True until the work has returned.
    virtual bool IsRunning();
    virtual long AddRef();
    // At 0 the object deletes itself.
    virtual long Release();
    // Sets the finished event and drops the running thread's reference.
    virtual void Finish();

    // Creates the operating-system thread; false (and the reference it took
    // dropped) when that fails.
    bool Start();
    void SetPriority(int priority);
    // The result; when the thread was started, waits for its end first.
    // -1 for a thread never started.
    int32_t GetResult();
    // Exchanges the abort hook; the old one goes to *old when asked.
    void SetAbortHook(AbortHook* hook, AbortHook** old = nullptr);
    // Posts the end message with the given kind.
    void PostEnd(uintptr_t kind);
    // True when the work returned within ms milliseconds.
    bool WaitFinished(uint32_t ms) const { return finished_.Wait(ms); }
    const Event& FinishedEvent() const { return finished_; }

  protected:
    // Posts any report with this thread as the sender.
    void PostReport(Report what, uintptr_t param);
    const std::shared_ptr<ReportTarget>& ReportTo() const { return report_; }

  private:
    // The operating-system part, one file per platform.
    bool CreateOsThread();
    void ApplyPriority(int priority);
    void ReleaseHandles();
    void Main();
    friend struct ThreadEntry;

    std::shared_ptr<ReportTarget> report_;
    Event finished_;
    Event abort_;
    int32_t result_ = -1;
    ThreadHandles* handles_ = nullptr;
    Lock handlesLock_;
    long references_ = 1;
    Lock countLock_;
    std::atomic<AbortHook*> hook_{nullptr};
    Lock hookLock_;
};

// The deleter that lets go of one reference: a ThreadRef holds the creator's
// reference to a worker and drops it when it goes, whoever ends first.
struct ReleaseThread {
    void operator()(Thread* thread) const { thread->Release(); }
};
template <class T>
using ThreadRef = std::unique_ptr<T, ReleaseThread>;

// Waits until every thread has finished or the limit has passed (shut-down
// uses kShutdownWaitMs); true when all finished. Threads not started count
// as finished only when their finished event is set, so pass started ones.
bool WaitForThreads(Thread* const* threads, size_t count, uint32_t ms);

}  // namespace platform
