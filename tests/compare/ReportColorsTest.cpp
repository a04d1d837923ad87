#include "compare/ReportColors.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReportColors, FormatColorWritesRedGreenBlue) {
    EXPECT_STREQ("#00FFFF", FormatColor(0x00FFFF00));  // COLORREF is 0x00BBGGRR
    EXPECT_STREQ("#000080", FormatColor(0x00800000));
    const char* first = FormatColor(0x000000FF);
    std::string kept = first;
    FormatColor(0x00123456);
    EXPECT_EQ("#FF0000", kept);
    EXPECT_STREQ("#563412", first);  // one shared buffer
}

TEST(ReportColors, DarkerShadeLowersLightnessBySixteenth) {
    EXPECT_STREQ("#EFEFEF", FormatColor(DarkerShade(0x00FFFFFF)));  // 240 -> 225
    EXPECT_STREQ("#B4B4B4", FormatColor(DarkerShade(0x00C0C0C0)));  // 181 -> 170
    EXPECT_STREQ("#F00000", FormatColor(DarkerShade(0x000000FF)));  // hue and saturation kept
    EXPECT_EQ(0u, DarkerShade(0));
    // Hue survives: a light blue stays blue, only darker.
    uint32_t c = DarkerShade(0x00FFC080);
    EXPECT_LT(c & 0xFF, 0x80u);
    EXPECT_GT((c >> 16) & 0xFF, (c >> 8) & 0xFF);
    EXPECT_GT((c >> 8) & 0xFF, c & 0xFF);
}
