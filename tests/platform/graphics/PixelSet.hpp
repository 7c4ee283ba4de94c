// Test helpers: the pixels of a bitmap that have a given colour, and their bounding box.
#pragma once

#include "graphics/Bitmap.hpp"

#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>; // (x, y)

// All pixels of bmp whose colour is c.
inline PixelSet PixelsOf(const TBitmap& bmp, TColor c) {
    PixelSet s;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) == c)
                s.insert({x, y});
    return s;
}

// All pixels of bmp whose colour is not c.
inline PixelSet PixelsNot(const TBitmap& bmp, TColor c) {
    PixelSet s;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) != c)
                s.insert({x, y});
    return s;
}
