#pragma once

#include <cstddef>
#include <cstdint>

#include "Rounding.hpp"
#include "WorkImage.hpp"

// SamplePixel, inlined, with the rounding done without library calls: the blend of bytes is
// never negative, where RoundNonNegativeToInt equals RoundToInt. Same clamp, same blend, same
// bytes.
inline void SamplePixelFast(const WorkImage& image, uint8_t* out, double x, double y) {
    const int32_t maxX = image.width - 1;
    const int32_t maxY = image.height - 1;
    if (!(x >= 0.0)) {
        x = 0.0;
    }
    if (!(y >= 0.0)) {
        y = 0.0;
    }
    if (x > maxX) {
        x = maxX;
    }
    if (y > maxY) {
        y = maxY;
    }
    // Both are in 0 .. max here, where the truncation is the floor.
    const auto ix = static_cast<int32_t>(x);
    const auto iy = static_cast<int32_t>(y);
    const double fx = x - ix;
    const double fy = y - iy;

    const uint8_t* row = RowFromBottom(image, iy) + static_cast<std::ptrdiff_t>(3) * ix;
    const std::ptrdiff_t right = ix < maxX ? 3 : 0;
    const uint8_t* above = iy < maxY ? row + image.rowStride : nullptr;
    for (int32_t b = 0; b < 3; ++b) {
        const double p00 = row[b];
        const double p10 = row[right + b];
        const double rowBlend = (1.0 - fx) * p00 + fx * p10;
        double aboveBlend = rowBlend;
        if (above != nullptr) {
            const double p01 = above[b];
            const double p11 = above[right + b];
            aboveBlend = (1.0 - fx) * p01 + fx * p11;
        }
        const double value = (1.0 - fy) * rowBlend + fy * aboveBlend;
        out[b] = static_cast<uint8_t>(RoundNonNegativeToInt(static_cast<float>(value)));
    }
}
