// The editor window's own icon, drawn with our canvas: a square turning into a
// disc over a warp mesh.
#pragma once

#include "graphics/Bitmap.hpp"

// A 32 x 32, 24-bit picture.
TBitmap MakeEditorIcon();
