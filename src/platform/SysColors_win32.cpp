#include "platform/SysColors.h"

#include <windows.h>

namespace platform {

uint32_t WindowColor() {
    return static_cast<uint32_t>(GetSysColor(COLOR_WINDOW));
}
uint32_t WindowTextColor() {
    return static_cast<uint32_t>(GetSysColor(COLOR_WINDOWTEXT));
}

}  // namespace platform
