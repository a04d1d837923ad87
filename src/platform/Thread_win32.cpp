#include <process.h>
#include <windows.h>

#include "platform/Thread.h"

namespace platform {

struct ThreadHandles {
    HANDLE handle;
    unsigned id;
};

struct ThreadEntry {
    static unsigned __stdcall Proc(void* arg) {
        static_cast<Thread*>(arg)->Main();
        return 0;
    }
};

bool Thread::CreateOsThread() {
    unsigned id = 0;
    // The runtime's own start function, so that its per-thread data exists.
    uintptr_t h = _beginthreadex(nullptr, 4096, &ThreadEntry::Proc, this, 0, &id);
    if (!h) return false;
    handles_ = new ThreadHandles{reinterpret_cast<HANDLE>(h), id};
    return true;
}

void Thread::ApplyPriority(int priority) {
    SetThreadPriority(handles_->handle, priority);
}

void Thread::ReleaseHandles() {
    if (!handles_) return;
    CloseHandle(handles_->handle);
    delete handles_;
    handles_ = nullptr;
}

}  // namespace platform
