#include "platform/SysColors.h"

namespace platform {

uint32_t WindowColor() {
    return 0x00FFFFFF;
}
uint32_t WindowTextColor() {
    return 0x00000000;
}

}  // namespace platform
