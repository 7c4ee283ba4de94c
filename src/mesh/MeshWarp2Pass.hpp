#pragma once

#include "MeshGrid.hpp"
#include "WorkImage.hpp"

// Two-pass mesh warp: the content of src that lies on srcMesh ends up on dstMesh in dst. The
// first pass moves pixels along rows into an intermediate image, the second along columns into
// dst; each line is resampled by Resample1D with a map interpolated from the meshes, linearly
// when linear is set, otherwise by Catmull-Rom with the linear interpolation for any line on
// which the spline refuses. src and dst are distinct images of one geometry; the meshes have
// the same size, at least 2 x 2, with their border nodes exactly on the image border (column 0
// at x = 0, the last column at width - 1, row 0 at y = 0, the last row at height - 1). src is
// only read; every pixel byte of dst is written, its row padding never. Throws RunFailure for a
// zero divisor (overlapping nodes, a flat map), std::invalid_argument for mismatched inputs.
void MeshWarp2Pass(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                   const MeshGrid& dstMesh, bool linear);
