#pragma once
// Heap settings for a process that runs one command and exits.

namespace platform {

// Large blocks (a page read whole, a document's arena blocks) stay in the
// heap once freed and serve the next request, instead of being mapped,
// zeroed and unmapped afresh each time: a page comparison then takes a
// tenth fewer page faults. On Linux the heap is also grown once and backed
// by huge pages where the system offers them on request, which leaves a
// tenth of the faults again (a few MB more resident at most). Does nothing
// where the heap has no such settings (Windows, other C libraries).
void KeepLargeBlocksForReuse();
// The same for the heap of a worker thread (the C library gives each its
// own), when the process asked for it; every Thread calls it as it starts.
void PrepareThreadHeap();

}  // namespace platform
