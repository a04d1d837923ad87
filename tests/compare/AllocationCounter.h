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

// The allocations made while `f` runs.
template <class F>
size_t AllocationsDuring(F f) {
    AllocationCounter counter;
    f();
    return counter.Count();
}
