#include "platform/Thread.h"

#include <vector>

#include "platform/HeapTuning.h"

namespace platform {

Thread::Thread(std::shared_ptr<ReportTarget> report) : report_(std::move(report)) {}

Thread::~Thread() {
    ReleaseHandles();
}

int32_t Thread::Run() {
    PostEnd(0);
    return 0;
}

void Thread::Abort() {
    abort_.Set();
    LockGuard guard(countLock_);
    if (AbortHook* hook = hook_.load()) hook->Abort();
}

bool Thread::IsAbortRequested() {
    return abort_.IsSet();
}

bool Thread::IsRunning() {
    return !finished_.IsSet();
}

long Thread::AddRef() {
    LockGuard guard(countLock_);
    return ++references_;
}

long Thread::Release() {
    long left;
    {
        LockGuard guard(countLock_);
        left = --references_;
    }
    if (left == 0) delete this;
    return left;
}

void Thread::Finish() {
    long left;
    {
        LockGuard guard(countLock_);
        finished_.Set();
        left = --references_;
    }
    if (left == 0) delete this;
}

bool Thread::Start() {
    AddRef();
    {
        LockGuard guard(handlesLock_);
        ReleaseHandles();
        if (CreateOsThread()) return true;
    }
    Release();
    return false;
}

void Thread::SetPriority(int priority) {
    LockGuard guard(handlesLock_);
    if (handles_) ApplyPriority(priority);
}

int32_t Thread::GetResult() {
    bool started;
    {
        LockGuard guard(handlesLock_);
        started = handles_ != nullptr;
    }
    if (started) finished_.Wait(kWaitForever);
    return result_;
}

void Thread::SetAbortHook(AbortHook* hook, AbortHook** old) {
    LockGuard guard(hookLock_);
    AbortHook* previous = hook_.exchange(hook);
    if (old) *old = previous;
}

void Thread::PostEnd(uintptr_t kind) {
    PostReport(Report::kThreadEnd, kind);
}

void Thread::PostReport(Report what, uintptr_t param) {
    if (report_) report_->Post(what, param, this);
}

void Thread::Main() {
    PrepareThreadHeap();
    result_ = Run();
    // After Finish the object may be gone.
    Finish();
}

bool WaitForThreads(Thread* const* threads, size_t count, uint32_t ms) {
    std::vector<const Event*> events(count, nullptr);
    for (size_t i = 0; i < count; ++i)
        if (threads[i]) events[i] = &threads[i]->FinishedEvent();
    return WaitForAll(events.data(), count, ms);
}

}  // namespace platform
