#include "platform/HeapTuning.h"

namespace platform {

void KeepLargeBlocksForReuse() {}
void PrepareThreadHeap() {}

}  // namespace platform
