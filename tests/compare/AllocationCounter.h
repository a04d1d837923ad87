#pragma once
// Counts the allocations made through operator new while a counter is alive
// (the test program replaces the global operator new).
#include <cstddef>

class AllocationCounter {
  public:
    AllocationCounter();
    ~AllocationCounter();
    size_t Count() const;
};

// While alive, operator new throws std::bad_alloc for any request of more
// than `bytes`, on every thread.
class LargeAllocationsFail {
  public:
    explicit LargeAllocationsFail(size_t bytes);
    ~LargeAllocationsFail();
};

// The allocations made while `f` runs.
template <class F>
size_t AllocationsDuring(F f) {
    AllocationCounter counter;
    f();
    return counter.Count();
}
