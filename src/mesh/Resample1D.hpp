#pragma once

#include <cstddef>
#include <cstdint>

#include "Rounding.hpp"

// One-dimensional area resampling of a line of one-byte samples. Source sample k is read at
// src + k * step and lands at position map[k] of the output, written at dst + k * step (step
// may be negative). map holds length + 1 values; the caller sets map[length] = length.
// Every one of the length output samples is written; the last takes the source extent up to
// length, and a fetch past the last source sample reuses that sample, so no byte outside the
// line is read. A line of one sample is copied. Throws RunFailure for a flat stretch of the
// map or an output sample of zero source extent.
void Resample1D(const uint8_t* src, uint8_t* dst, int32_t length, std::ptrdiff_t step,
                const double* map);

// Output byte for an accumulated value: 255 from 255 up, 0 for values below 1 (a negative
// value comes only from a folded map), otherwise the value truncated.
inline uint8_t ResampledByte(double acc) {
    if (acc >= 255.0) {
        return 255;
    }
    if (acc <= 0.0) {
        return 0;
    }
    return static_cast<uint8_t>(TruncToInt32(acc));
}
