#include "platform/HeapTuning.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ with the C library's features

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace platform {

namespace {

#if defined(__GLIBC__) && defined(__linux__)
constexpr size_t kHugePage = 2u << 20;
// Enough for the documents of two large pages and their comparison; a
// worker thread (which has a heap of its own) builds one of them.
constexpr size_t kAdvisedHeap = 48u << 20;
constexpr size_t kAdvisedThreadHeap = 24u << 20;

// Set once the process has asked for huge pages: its workers ask too.
std::atomic<bool> workersToo{false};

// Grows the calling thread's heap once by `bytes` and asks for huge pages
// over it. The block is freed at once but stays in the heap (the trim
// threshold is higher), so what is built later is carved out of it: one
// fault per 2 MB touched instead of one per 4 KB.
void AdviseHugePagesForTheHeap(size_t bytes) {
    void* block = std::malloc(bytes);
    if (!block) return;
    auto start = (reinterpret_cast<uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    auto end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(block);
}
#endif

}  // namespace

void KeepLargeBlocksForReuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#if defined(__linux__)
    AdviseHugePagesForTheHeap(kAdvisedHeap);
    workersToo = true;
#endif
#endif
}

void PrepareThreadHeap() {
#if defined(__GLIBC__) && defined(__linux__)
    if (workersToo) AdviseHugePagesForTheHeap(kAdvisedThreadHeap);
#endif
}

}  // namespace platform
