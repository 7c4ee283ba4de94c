#pragma once

#include <cstdint>

#include "FieldMorphKernels.hpp"
#include "FrameSink.hpp"
#include "MorphImages.hpp"
#include "Point.hpp"

// Generates the in-between frames of a field morph. fieldSrc and fieldDst are the stored
// control polylines (fieldPointCount entries each, breaks marked by x = BREAK_MARK) in
// full-size pixels with rows from the top; maxY is the full-size image height - 1 and scale
// takes the points to the working size. Each frame warps images.src towards the lines at time
// t into images.frame and, unless warpOnly, warps images.dst back from the other side into
// images.warpedDst and dissolves the two into images.frame; then images.frame goes to
// sink.EmitFrame with its number and sink.StepProgress(). frames is the user's frame count: a
// two-image run generates frames - 2 frames, a warp-only run frames - 1. A RunFailure of a warp
// ends the sequence; the failing frame is not emitted. The warps and the dissolve run on the
// given kernels.
void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, const FieldMorphKernels& kernels, FrameSink& sink);

// FieldMorphSequence on the fast kernels, or on the reference kernels when
// TWEENKIT_REFERENCE=1; both give the same bytes.
void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, FrameSink& sink);
