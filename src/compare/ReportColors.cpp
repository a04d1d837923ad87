#include "compare/ReportColors.h"

#include <algorithm>
#include <cstdio>

namespace {

// Hue, lightness and saturation in integers on the scale 0..240, as the
// Windows colour dialog shows them.
constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

struct Hls {
    int hue, lightness, saturation;
};

int Red(uint32_t c) {
    return c & 0xFF;
}
int Green(uint32_t c) {
    return (c >> 8) & 0xFF;
}
int Blue(uint32_t c) {
    return (c >> 16) & 0xFF;
}
uint32_t Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<uint32_t>(std::min(std::max(v, 0), kRgbMax)); };
    return clamp(r) | (clamp(g) << 8) | (clamp(b) << 16);
}

Hls ToHls(uint32_t color) {
    int r = Red(color), g = Green(color), b = Blue(color);
    int high = std::max({r, g, b}), low = std::min({r, g, b});
    Hls out{kUndefinedHue, ((high + low) * kHlsMax + kRgbMax) / (2 * kRgbMax), 0};
    if (high == low) return out;
    int span = high - low;
    int sum = high + low;
    if (out.lightness <= kHlsMax / 2)
        out.saturation = (span * kHlsMax + sum / 2) / sum;
    else
        out.saturation = (span * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
    auto delta = [&](int v) { return ((high - v) * (kHlsMax / 6) + span / 2) / span; };
    if (r == high)
        out.hue = delta(b) - delta(g);
    else if (g == high)
        out.hue = kHlsMax / 3 + delta(r) - delta(b);
    else
        out.hue = 2 * kHlsMax / 3 + delta(g) - delta(r);
    if (out.hue < 0) out.hue += kHlsMax;
    if (out.hue > kHlsMax) out.hue -= kHlsMax;
    return out;
}

int HueToValue(int n1, int n2, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6) return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2) return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

uint32_t FromHls(const Hls& c) {
    if (c.saturation == 0) {
        int v = c.lightness * kRgbMax / kHlsMax;
        return Rgb(v, v, v);
    }
    int l = c.lightness, s = c.saturation;
    int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                              : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    int m1 = 2 * l - m2;
    auto channel = [&](int hue) {
        return (HueToValue(m1, m2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax;
    };
    return Rgb(channel(c.hue + kHlsMax / 3), channel(c.hue), channel(c.hue - kHlsMax / 3));
}

}  // namespace

const char* FormatColor(uint32_t color) {
    static char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", Red(color), Green(color), Blue(color));
    return buffer;
}

uint32_t DarkerShade(uint32_t color) {
    Hls hls = ToHls(color);
    hls.lightness -= hls.lightness / 16;
    return FromHls(hls);
}
