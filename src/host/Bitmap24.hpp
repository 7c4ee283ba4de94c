// The 24-bit view of a frame that the media writers read rows from.
#pragma once

#include "graphics/Bitmap.hpp"

// Returns frame itself when it is 24-bit, else a 24-bit copy made in scratch.
inline const TBitmap& As24Bit(const TBitmap& frame, TBitmap& scratch) {
    if (frame.PixelFormat() == pf24bit)
        return frame;
    scratch = frame;
    scratch.SetPixelFormat(pf24bit);
    return scratch;
}
