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

// RoundToInt for a value of 0 up to 2^31: there the floor is the truncation and the parity of
// the floor is that of the integer, so the result is the same, only without the library calls.
inline int32_t RoundNonNegativeToInt(float value) {
    const int32_t below = static_cast<int32_t>(value);
    const float fraction = value - static_cast<float>(below); // exact for every float
    // Bit operations, not branches: the fractions of image blends are random.
    const int32_t up = static_cast<int32_t>(fraction > 0.5f) |
                       (static_cast<int32_t>(fraction == 0.5f) & below & 1);
    return below + up;
}

// Drops the fraction of a double, rounding towards zero.
inline int32_t TruncToInt32(double value) {
    return static_cast<int32_t>(value);
}
