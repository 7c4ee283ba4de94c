// The small pictures on the editor's centring and zoom buttons. Each is 16 x 16
// with its bottom-left pixel in the colour that shows as transparent.
#pragma once

#include "graphics/Bitmap.hpp"

// A cross-hair in a frame: centre the image.
TBitmap CenterGlyph();
// A magnifying glass with a plus: zoom in.
TBitmap ZoomInGlyph();
// A magnifying glass with a minus: zoom out.
TBitmap ZoomOutGlyph();
