#pragma once
// The system's display colours as COLORREF values (0x00BBGGRR). Windows asks
// the system; the portable build has a white window with black text.
#include <cstdint>

namespace platform {

uint32_t WindowColor();      // window background (COLOR_WINDOW)
uint32_t WindowTextColor();  // text in windows (COLOR_WINDOWTEXT)

}  // namespace platform
