#include "SamplePixel.hpp"

#include <cmath>

#include "Rounding.hpp"

void SamplePixel(const WorkImage& image, uint8_t* out, double x, double y) {
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
    const int32_t ix = static_cast<int32_t>(std::floor(x));
    const int32_t iy = static_cast<int32_t>(std::floor(y));
    const double fx = x - ix;
    const double fy = y - iy;

    const uint8_t* row = RowFromBottom(image, iy) + static_cast<std::ptrdiff_t>(3) * ix;
    // At the last column fx is 0, so the pixel itself stands in for its right neighbour.
    const std::ptrdiff_t right = ix < maxX ? 3 : 0;
    for (int32_t b = 0; b < 3; ++b) {
        const double p00 = row[b];
        const double p10 = row[right + b];
        const double rowBlend = (1.0 - fx) * p00 + fx * p10;
        double aboveBlend = rowBlend; // at the last row fy is 0
        if (iy < maxY) {
            const uint8_t* above = row + image.rowStride;
            const double p01 = above[b];
            const double p11 = above[right + b];
            aboveBlend = (1.0 - fx) * p01 + fx * p11;
        }
        const double value = (1.0 - fy) * rowBlend + fy * aboveBlend;
        out[b] = static_cast<uint8_t>(RoundToInt(static_cast<float>(value)));
    }
}
