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
