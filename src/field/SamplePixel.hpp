#pragma once

#include <cstdint>

#include "WorkImage.hpp"

// Writes the colour of image at (x, y) into out[0 .. 2]: x a column, y a row from the bottom.
// The position is clamped into the image first (a NaN coordinate becomes 0), then the pixel
// is blended bilinearly from its neighbours to the right and above; a neighbour outside the
// image has weight zero and is never read. Each byte is the blend narrowed to float and
// rounded to the nearest integer, halves to even.
void SamplePixel(const WorkImage& image, uint8_t* out, double x, double y);
