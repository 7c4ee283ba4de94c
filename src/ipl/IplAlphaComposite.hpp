#pragma once

#include "IplHeader.hpp"

// Composite operations of iplAlphaCompositeC.
inline constexpr int kIplCompositePlus = 5; // A weighted by alphaA plus B weighted by alphaB

// Constant-alpha composite of two images into a third, channel by channel. The only operation
// is kIplCompositePlus without premultiplied alpha and without division by the result alpha:
//   dst = min(255, (alphaA * A + alphaB * B + 127) / 255)   in integers,
// the quotient rounded to the nearest integer (255 is odd, so there are no ties); with
// alphaA + alphaB = 255 it is never clamped and lies within half a unit of the exact value.
// dst may be srcA or srcB. All three headers need the same width, height, channels and row
// stride and attached pixels; only the pixel bytes of each row are touched, never the
// padding. Returns false, writing nothing, for anything else (an unsupported operation or
// flag, an alpha outside 0..255, a null or mismatched header).
bool iplAlphaCompositeC(const IplHeader* srcA, const IplHeader* srcB, IplHeader* dst,
                        int compositeType, int alphaA, int alphaB, bool premulAlpha,
                        bool divideMode);
