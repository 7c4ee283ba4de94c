// Between vips images and the host's 24-bit frames.
#pragma once

#include "VipsLibrary.hpp"
#include "graphics/Bitmap.hpp"

// The one way every image becomes a frame: colours converted to sRGB (through the embedded ICC
// profile when there is one, CMYK through the library's CMYK profile when not; grey repeated
// into red, green and blue), samples scaled to 8 bits, then alpha composited over white with
// (c * a + 255 * (255 - a) + 127) / 255. Throws MediaError with the library's reason.
TBitmap FrameFromVips(VipsImage* image);

// An 8-bit sRGB vips image (3 bands) that owns a copy of frame's pixels.
VipsRef VipsFromFrame(const TBitmap& frame);

// Copies frame's pixels as top-down R, G, B rows without padding into out (3 * w * h bytes).
void CopyRgbRows(const TBitmap& frame, uint8_t* out);
