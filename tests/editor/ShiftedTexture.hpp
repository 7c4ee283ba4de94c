// Frames for fitting tests of the editor and the host: the auto-fit tests'
// texture, and the same texture shifted by a known amount.
#pragma once

#include "SyntheticPairs.hpp"
#include "graphics/Bitmap.hpp"

#include <cstddef>

// The texture moved dx pixels right and dy pixels down, as a 24-bit picture.
inline TBitmap ShiftedTexture(int width, int height, double dx, double dy) {
    TBitmap picture(width, height, pf24bit);
    for (int y = 0; y < height; ++y) {
        uint8_t* row =
            picture.Bits() + static_cast<std::ptrdiff_t>(height - 1 - y) * picture.RowStride();
        for (int x = 0; x < width; ++x)
            for (int b = 0; b < 3; ++b)
                row[3 * x + b] = TextureByte(x - dx, y - dy, b);
    }
    return picture;
}
