#include "platform/HeapTuning.h"

namespace platform {

void KeepLargeBlocksForReuse() {}

}  // namespace platform
