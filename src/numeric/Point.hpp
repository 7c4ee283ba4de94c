#pragma once

#include <cstdint>

// A control point in full-size image pixels: origin at the top-left pixel, y grows downwards.
struct Point {
    int32_t x; // column
    int32_t y; // row, counted from the top
};

// The x of a field point entry that holds no point: it ends a polyline and fills free entries.
inline constexpr int32_t BREAK_MARK = 0xFFFFF;
