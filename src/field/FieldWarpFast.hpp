#pragma once

#include <vector>

#include "FieldLineSet.hpp"
#include "KernelSchedule.hpp"
#include "WorkImage.hpp"

// Pixels times lines below which the warp runs on one thread unless the schedule names a
// thread count.
inline constexpr int64_t kFieldWarpParallelWork = int64_t{1} << 20;

// One line's terms in doubles, converted as the reference converts them.
struct FieldLineTerms {
    double px, py, qx, qy, dx, dy;                  // the moved line
    double lenSq, len;                              // its squared length and length
    double fromPx, fromPy, fromDx, fromDy, fromLen; // the line of the sampled image
    double lengthWeight;                            // len^p of the moved line
};

// The working memory of FieldWarpFast. A sequence keeps one for all its warps, so that after
// the first warp warping a frame allocates nothing.
struct FieldWarpScratch {
    std::vector<FieldLineTerms> terms; // the moved lines' terms, grown to the line count
};

// FieldWarp on the schedule's threads and vector lanes: the same bytes in out, the same
// failures before any pixel is written. Rows run in parallel; with simd, neighbouring pixels
// share the lanes of a vector (4 for the baseline and AVX2, 8 for AVX-512, as the processor
// allows). Lines whose ends lie more than 2^24 pixels out, where the lanes' double arithmetic
// could no longer stand in for the reference's integers, run pixel by pixel.
void FieldWarpFast(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
                   const FieldLineSet& toLines, double t, const KernelSchedule& schedule = {});

// FieldWarpFast in the given working memory: a warp with no more lines than an earlier one
// in the same memory allocates nothing.
void FieldWarpFast(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
                   const FieldLineSet& toLines, double t, const KernelSchedule& schedule,
                   FieldWarpScratch& scratch);
