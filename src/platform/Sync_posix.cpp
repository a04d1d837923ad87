#include <errno.h>
#include <pthread.h>
#include <time.h>

#include "platform/Sync.h"

namespace platform {

struct Lock::Impl {
    pthread_mutex_t mutex;
};

Lock::Lock() : impl_(new Impl) {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&impl_->mutex, &attr);
    pthread_mutexattr_destroy(&attr);
}

Lock::~Lock() {
    pthread_mutex_destroy(&impl_->mutex);
    delete impl_;
}

void Lock::Enter() {
    pthread_mutex_lock(&impl_->mutex);
}
void Lock::Leave() {
    pthread_mutex_unlock(&impl_->mutex);
}

struct Event::Impl {
    mutable pthread_mutex_t mutex;
    mutable pthread_cond_t cond;
    bool set;
};

Event::Event(bool initiallySet) : impl_(new Impl) {
    pthread_mutex_init(&impl_->mutex, nullptr);
    pthread_condattr_t attr;
    pthread_condattr_init(&attr);
    pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
    pthread_cond_init(&impl_->cond, &attr);
    pthread_condattr_destroy(&attr);
    impl_->set = initiallySet;
}

Event::~Event() {
    pthread_cond_destroy(&impl_->cond);
    pthread_mutex_destroy(&impl_->mutex);
    delete impl_;
}

void Event::Set() {
    pthread_mutex_lock(&impl_->mutex);
    impl_->set = true;
    pthread_cond_broadcast(&impl_->cond);
    pthread_mutex_unlock(&impl_->mutex);
}

void Event::Reset() {
    pthread_mutex_lock(&impl_->mutex);
    impl_->set = false;
    pthread_mutex_unlock(&impl_->mutex);
}

bool Event::IsSet() const {
    pthread_mutex_lock(&impl_->mutex);
    bool set = impl_->set;
    pthread_mutex_unlock(&impl_->mutex);
    return set;
}

bool Event::Wait(uint32_t ms) const {
    timespec deadline;
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += ms / 1000;
    deadline.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    pthread_mutex_lock(&impl_->mutex);
    while (!impl_->set) {
        int rc = ms == kWaitForever
                     ? pthread_cond_wait(&impl_->cond, &impl_->mutex)
                     : pthread_cond_timedwait(&impl_->cond, &impl_->mutex, &deadline);
        if (rc == ETIMEDOUT) break;
    }
    bool set = impl_->set;
    pthread_mutex_unlock(&impl_->mutex);
    return set;
}

}  // namespace platform
