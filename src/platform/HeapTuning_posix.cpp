#include "platform/HeapTuning.h"

#include <cstdlib>  // defines __GLIBC__ with the C library's features

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void KeepLargeBlocksForReuse() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace platform
