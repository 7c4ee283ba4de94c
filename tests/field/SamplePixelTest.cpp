#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SamplePixel.hpp"
#include "TestImages.hpp"

namespace {

// A 3 x 2 image, rows from the bottom: blue bytes 10 11 40 / 13 20 60 (bottom row first).
void FillImage(OwnedImage& owned) {
    const uint8_t bottom[] = {10, 11, 40};
    const uint8_t top[] = {13, 20, 60};
    for (int32_t x = 0; x < 3; ++x) {
        RowFromBottom(owned.image, 0)[3 * x] = bottom[x];
        RowFromBottom(owned.image, 1)[3 * x] = top[x];
    }
}

TEST(SamplePixel, BlendsClampsAndRoundsHalvesToEven) {
    struct Case {
        const char* name;
        double x;
        double y;
        uint8_t expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"pixel", 1, 0, 11},
        {"half right, down to even", 0.5, 0, 10}, // 10.5
        {"half up, up to even", 0, 0.5, 12},      // 11.5
        {"half right in the top row", 1.5, 1, 40},
        {"four neighbours", 0.5, 0.5, 14}, // 13.5
        {"bilinear", 0.25, 0.75, 14},      // 13.625
        {"last column has no right neighbour", 2, 0.5, 50},
        {"below and left clamp to the corner", -5, -5, 10},
        {"NaN is 0", nan, nan, 10},
        {"beyond the top right", 100, 100, 60},
        {"infinity", std::numeric_limits<double>::infinity(), 0, 40},
    };
    OwnedImage owned(3, 2);
    FillImage(owned);
    for (const Case& c : cases) {
        uint8_t out[3] = {1, 1, 1};
        SamplePixel(owned.image, out, c.x, c.y);
        EXPECT_EQ(out[0], c.expected) << c.name;
        EXPECT_EQ(out[1], 0) << c.name;
    }
}

TEST(SamplePixel, OnePixelImageIsCopiedAnywhere) {
    OwnedImage owned(1, 1);
    owned.At(0, 0, 2) = 99;
    for (double position : {-3.0, 0.0, 0.5, 7.0}) {
        uint8_t out[3] = {};
        SamplePixel(owned.image, out, position, position);
        EXPECT_EQ(out[2], 99);
    }
}

} // namespace
