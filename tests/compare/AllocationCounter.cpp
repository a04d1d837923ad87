#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<size_t> allocations{0};
std::atomic<size_t> largestAllowed{static_cast<size_t>(-1)};
}  // namespace

LargeAllocationsFail::LargeAllocationsFail(size_t bytes) {
    largestAllowed = bytes;
}
LargeAllocationsFail::~LargeAllocationsFail() {
    largestAllowed = static_cast<size_t>(-1);
}

AllocationCounter::AllocationCounter() {
    allocations = 0;
    counting = true;
}
AllocationCounter::~AllocationCounter() {
    counting = false;
}
size_t AllocationCounter::Count() const {
    return allocations;
}

void* operator new(size_t size) {
    if (counting) ++allocations;
    if (size > largestAllowed) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
