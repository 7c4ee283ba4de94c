#pragma once

#include <cmath>
#include <cstdint>

// Float-to-integer conversions of the kernels, in one place so every kernel rounds alike.
// Callers keep the values inside the int32 range; no conversion clamps.

// Nearest integer of a single-precision value, halves to the even neighbour.
inline int32_t RoundToInt(float value) {
    const float below = std::floor(value);
    const float fraction = value - below; // exact for every float
    float nearest = below;
    if (fraction > 0.5f || (fraction == 0.5f && std::fmod(below, 2.0f) != 0.0f)) {
        nearest = below + 1.0f;
    }
    return static_cast<int32_t>(nearest);
}

// Drops the fraction of a double, rounding towards zero.
inline int32_t TruncToInt32(double value) {
    return static_cast<int32_t>(value);
}
