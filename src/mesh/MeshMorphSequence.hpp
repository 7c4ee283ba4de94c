#pragma once

#include <cstdint>

#include "FrameSink.hpp"
#include "MeshMorphKernels.hpp"
#include "MorphImages.hpp"
#include "Point.hpp"

// Generates the in-between frames of a mesh morph. meshSrc and meshDst are the stored node
// arrays (kMeshArraySide x kMeshArraySide, node [c][r] at c * kMeshArraySide + r) with
// meshCols x meshRows inner lines, in full-size pixels; scale takes them to the working size.
// Each frame warps images.src onto the in-between mesh into images.frame and, unless
// warpOnly, warps images.dst onto the same mesh into images.warpedDst and dissolves the two
// into images.frame; then images.frame goes to sink.EmitFrame with its number and
// sink.StepProgress(). frames is the user's frame count: a two-image run generates frames - 2
// frames, a warp-only run frames - 1. A RunFailure of a warp ends the sequence; the failing frame
// is not emitted. The warps and the dissolve run on the given kernels.
void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, const MeshMorphKernels& kernels,
                       FrameSink& sink);

// MeshMorphSequence on the fast kernels, or on the reference kernels when
// TWEENKIT_REFERENCE=1; both give the same bytes.
void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, FrameSink& sink);
