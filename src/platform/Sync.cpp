#include "platform/Sync.h"

#include "platform/Clock.h"

namespace platform {

bool WaitForAll(const Event* const* events, size_t count, uint32_t ms) {
    uint32_t start = TickCount();
    for (size_t i = 0; i < count; ++i) {
        if (!events[i]) continue;
        uint32_t wait = kWaitForever;
        if (ms != kWaitForever) {
            uint32_t spent = TickCount() - start;
            wait = spent >= ms ? 0 : ms - spent;
        }
        if (!events[i]->Wait(wait)) return false;
    }
    return true;
}

}  // namespace platform
