#pragma once

#include <cstdint>

#include "MeshGrid.hpp"
#include "WorkImage.hpp"

// The parts of the two-pass mesh warp that its reference and its fast schedule share.

// Interpolates one line of nodes at positions[0 .. count - 1]: linearly when linear is set,
// otherwise by Catmull-Rom, falling back to the linear interpolation when the spline refuses.
void InterpolateLine(const double* xs, const double* ys, int32_t nodes, const double* positions,
                     double* out, int32_t count, bool linear);

// Throws std::invalid_argument unless the images and meshes fit together.
void RequireMeshWarpInputs(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                           const MeshGrid& dstMesh);
