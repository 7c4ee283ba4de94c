#pragma once

#include <cstdint>

#include "Rounding.hpp"

// Time and dissolve weight of one in-between frame.
struct FrameTime {
    double t;      // fraction of the way from the start geometry to the final geometry
    double s;      // 1 - t
    int32_t alpha; // weight of the warped start image in the dissolve: trunc(s * 255)
};

// The in-between frames of a morph run. A two-image run of n frames has its ends at the two
// images and generates frames 1 .. n - 2; a warp-only run has one step more, so it generates
// frames 1 .. n - 1 and never reaches the fully warped image.
class MorphSchedule {
public:
    // Schedule for the frame count the user entered; counts below the minimum give no frames.
    MorphSchedule(int32_t frames, bool warpOnly)
        : steps_(static_cast<int64_t>(frames) + (warpOnly ? 1 : 0)) {}

    // Number of frames the run generates.
    int64_t Count() const { return steps_ > 2 ? steps_ - 2 : 0; }

    // Time of frame i, for i = 1 .. Count().
    FrameTime At(int64_t i) const {
        const double t = static_cast<double>(i) / static_cast<double>(steps_ - 1);
        const double s = 1.0 - t;
        return {t, s, TruncToInt32(s * 255.0)};
    }

private:
    int64_t steps_; // N: frame positions from the start (0) to the end (N - 1)
};
