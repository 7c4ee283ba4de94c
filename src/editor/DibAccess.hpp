// The two operations that make a bitmap usable as a working image: reading its
// pixel layout, and describing its pixels with an image header of the ipl layer.
#pragma once

#include "WarpState.hpp"
#include "graphics/Bitmap.hpp"

struct IplHeader;

// Reads the layout of a bitmap section through scratch (which it overwrites);
// a handle without pixels gives a DibInfo of zeros.
DibInfo GetDibInfo(HBITMAP bitmap, DIBSECTION& scratch);

// A header for width x height pixels of 3 interleaved channels in B, G, R order,
// bottom-up rows aligned to 4 bytes, with no pixels attached; null when the layer
// cannot describe that size.
IplHeader* MakeIplImage(int width, int height);
