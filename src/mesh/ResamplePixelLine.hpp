#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "KernelSchedule.hpp"

// One thread's buffers for resampling pixel lines of up to capacity pixels.
struct ResampleBuffers {
    explicit ResampleBuffers(std::size_t capacity) : inpos(capacity + 1) {}

    std::vector<double> inpos; // the inverse map
};

// Resample1D for the three bytes of a line of pixels at once. The steps of the resampler
// depend only on the map, so one inverse map and one walk serve all three bytes; each byte
// gets exactly the operations, in the same order, that Resample1D gives it on its own (with
// simd the three bytes share the lanes of a vector). Pixel k starts at src + k * step and
// dst + k * step; map holds length + 1 values with map[length] = length. Throws RunFailure
// where Resample1D does.
void ResamplePixelLine(const uint8_t* src, uint8_t* dst, int32_t length, std::ptrdiff_t step,
                       const double* map, ResampleBuffers& buffers,
                       const KernelSchedule& schedule = {});
