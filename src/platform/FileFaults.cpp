// The test hook that makes chosen file operations fail (a full disk, a
// process killed at a given write or rename).
#include <atomic>

#include "platform/Files.h"

namespace platform {
namespace {
std::atomic<FileFaultHook> g_hook{nullptr};
}

void SetFileFaultHook(FileFaultHook hook) {
    g_hook.store(hook);
}

uint32_t InjectedFault(FileOp op, const char* path) {
    FileFaultHook hook = g_hook.load(std::memory_order_relaxed);
    return hook ? hook(op, path) : 0;
}

}  // namespace platform
