#pragma once

#include <cstdint>

#include "Point.hpp"

// One control line of the field warp in working-image pixels, rows counted from the bottom
// (the memory order of the working images). Coordinates stay within +-2^30, so the
// differences fit 32 bits; the squared length takes 64.
struct FieldLine {
    int32_t px;    // start point, column
    int32_t py;    // start point, row from the bottom
    int32_t qx;    // end point, column
    int32_t qy;    // end point, row from the bottom
    int32_t dx;    // qx - px
    int32_t dy;    // qy - py
    int64_t lenSq; // dx^2 + dy^2
    double len;    // sqrt(lenSq)
};

// The line from start to end, two stored points in full-size pixels (rows from the top):
// each coordinate is scaled and truncated towards zero, rows flipped to count from the
// bottom as trunc((maxY - y) * scale), with maxY the full-size image height - 1. When both
// ends land on one pixel, the end moves one pixel right and up so the line keeps a length.
FieldLine FieldLineFromPoints(const Point& start, const Point& end, int32_t maxY, double scale);

// The line the fraction t of the way from from to to: each end coordinate is
// trunc(f + (g - f) * t). It may have zero length.
FieldLine InterpolateFieldLine(const FieldLine& from, const FieldLine& to, double t);
