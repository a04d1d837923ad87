#pragma once
// Colours of the check-history page. Colours are COLORREF values
// (0x00BBGGRR).
#include <cstdint>

// "#RRGGBB" in one shared buffer: each call overwrites the previous result.
const char* FormatColor(uint32_t color);

// The colour with its lightness (hue, lightness, saturation on the scale
// 0..240) lowered by one sixteenth of itself.
uint32_t DarkerShade(uint32_t color);
