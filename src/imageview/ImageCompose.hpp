// Nearest-neighbour scaling with 14-bit fixed-point steps, as the image view
// composes its back buffer: target column j takes source column
// sourceX + (sx * j) div 16384 with sx = Trunc(sourceWidth / targetWidth * 16384),
// rows alike. With both steps exactly 16384 whole rows are copied.
#pragma once

#include "graphics/Bitmap.hpp"
#include "graphics/Types.hpp"

// Draws the source rectangle of src scaled to
// targetWidth x targetHeight with its top-left at (left, top) of dst, a 24-bit bitmap. Only
// pixels inside dst are written and only pixels inside src are read.
void ComposeNearest(const TBitmap& src, const TRect& source, TBitmap& dst, int left, int top,
                    int targetWidth, int targetHeight);
