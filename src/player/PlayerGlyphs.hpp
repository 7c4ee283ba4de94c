// The player's button pictures: 20 x 20, drawn by code, their bottom-left pixel's colour
// standing for transparent.
#pragma once

#include "graphics/Bitmap.hpp"

constexpr int kPlayerGlyphSize = 20;
// The colour of the transparent background (the bottom-left pixel's colour).
constexpr TColor kPlayerGlyphKey = clOlive;

// Two triangles pointing left: to the first frame.
TBitmap MakeBeginGlyph();
// One triangle pointing right: play.
TBitmap MakePlayGlyph();
// Two triangles pointing right: to the last frame.
TBitmap MakeEndGlyph();
