// Rounding of the views' layout arithmetic: Nearest rounds halves to the even
// neighbour, Trunc drops the fraction; both saturate to the int32 range.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace viewmath {

inline int Saturate(double v) {
    if (!(v == v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int>(v);
}

// The nearest integer, halves to the even neighbour (the default rounding mode).
inline int Nearest(double v) {
    return Saturate(std::nearbyint(v));
}

// Drops the fraction (towards zero).
inline int Trunc(double v) {
    return Saturate(std::trunc(v));
}

} // namespace viewmath
