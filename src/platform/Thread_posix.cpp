#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Thread.h"

namespace platform {

// The thread runs detached: nothing joins it, its end is the finished event.
// Priorities are nice values of the thread, which Linux keeps per thread;
// the thread applies a priority asked for before it knew its own id.
struct ThreadHandles {
    pthread_t thread;
    long tid = 0;  // known once the thread runs
    bool priorityPending = false;
    int priority = kPriorityNormal;
#ifdef __linux__
    bool widenAffinity = false;  // started away from its creator's processor
    cpu_set_t affinity;          // the processors it may run on afterwards
#endif
};

namespace {

// Windows priorities are relative to the process; so are these nice values.
int NiceFor(int priority) {
    int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid())) - priority * 5;
    return nice < -20 ? -20 : nice > 19 ? 19 : nice;
}

void SetNice(long tid, int priority) {
#ifdef __linux__
    // Raising a priority needs rights a user seldom has; then it stays.
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid), NiceFor(priority));
#else
    (void)tid;
    (void)priority;
#endif
}

// Linux queues a new thread on its creator's processor, where it may wait
// for the next balancing tick (up to 4 ms were measured) while another
// processor idles. So the thread is started on the creator's other
// processors, and given back all of them once it runs.
void StartAwayFromThisProcessor(pthread_attr_t& attr, ThreadHandles& h) {
#ifdef __linux__
    if (sched_getaffinity(0, sizeof h.affinity, &h.affinity) != 0) return;
    const int current = sched_getcpu();
    if (current < 0 || current >= CPU_SETSIZE || !CPU_ISSET(current, &h.affinity) ||
        CPU_COUNT(&h.affinity) < 2)
        return;
    cpu_set_t others = h.affinity;
    CPU_CLR(current, &others);
    h.widenAffinity = pthread_attr_setaffinity_np(&attr, sizeof others, &others) == 0;
#else
    (void)attr;
    (void)h;
#endif
}

void WidenAffinity(ThreadHandles& h) {
#ifdef __linux__
    if (h.widenAffinity) pthread_setaffinity_np(pthread_self(), sizeof h.affinity, &h.affinity);
#else
    (void)h;
#endif
}

long OwnThreadId() {
#ifdef __linux__
    return static_cast<long>(syscall(SYS_gettid));
#else
    return 0;
#endif
}

}  // namespace

struct ThreadEntry {
    static void* Proc(void* arg) {
        Thread* thread = static_cast<Thread*>(arg);
        {
            LockGuard guard(thread->handlesLock_);
            ThreadHandles* h = thread->handles_;
            h->tid = OwnThreadId();
            WidenAffinity(*h);
            if (h->priorityPending) SetNice(h->tid, h->priority);
        }
        thread->Main();
        return nullptr;
    }
};

bool Thread::CreateOsThread() {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    auto* h = new ThreadHandles;
    // The new thread waits for handlesLock_, held by Start, before it reads
    // handles_.
    handles_ = h;
    StartAwayFromThisProcessor(attr, *h);
    int rc = pthread_create(&h->thread, &attr, &ThreadEntry::Proc, this);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        SetLastError(kErrNotEnoughMemory);
        delete h;
        handles_ = nullptr;
        return false;
    }
    return true;
}

void Thread::ApplyPriority(int priority) {
    handles_->priority = priority;
    if (handles_->tid == 0) {
        handles_->priorityPending = true;
    } else if (!finished_.IsSet()) {
        SetNice(handles_->tid, priority);
    }
}

void Thread::ReleaseHandles() {
    delete handles_;
    handles_ = nullptr;
}

}  // namespace platform
