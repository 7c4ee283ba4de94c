#include "graphics/Color.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Color, SystemColoursResolveThroughTheThemeAndOthersKeepTheirRgb) {
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), 0x030201u);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
    EXPECT_NE(ColorToRGB(clMenu), ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToRGB(SystemColor(200)), 0u); // unknown index
    EXPECT_EQ(static_cast<uint32_t>(clInfoBk), 0x80000018u);
    uint32_t highlight = ColorToRGB(clHighlight);
    EXPECT_GT(GetBValue(highlight), GetRValue(highlight)); // a blue
}

} // namespace
