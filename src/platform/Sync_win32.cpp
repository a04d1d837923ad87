#include <windows.h>

#include "platform/Sync.h"

namespace platform {

struct Lock::Impl {
    CRITICAL_SECTION section;
};

Lock::Lock() : impl_(new Impl) {
    InitializeCriticalSection(&impl_->section);
}

Lock::~Lock() {
    DeleteCriticalSection(&impl_->section);
    delete impl_;
}

void Lock::Enter() {
    EnterCriticalSection(&impl_->section);
}
void Lock::Leave() {
    LeaveCriticalSection(&impl_->section);
}

struct Event::Impl {
    HANDLE handle;
};

Event::Event(bool initiallySet) : impl_(new Impl) {
    impl_->handle = CreateEventA(nullptr, TRUE, initiallySet ? TRUE : FALSE, nullptr);
}

Event::~Event() {
    if (impl_->handle) CloseHandle(impl_->handle);
    delete impl_;
}

void Event::Set() {
    SetEvent(impl_->handle);
}
void Event::Reset() {
    ResetEvent(impl_->handle);
}
bool Event::IsSet() const {
    return WaitForSingleObject(impl_->handle, 0) == WAIT_OBJECT_0;
}

bool Event::Wait(uint32_t ms) const {
    return WaitForSingleObject(impl_->handle, ms == kWaitForever ? INFINITE : ms) == WAIT_OBJECT_0;
}

}  // namespace platform
