#pragma once

#include <cstdint>

#include "MeshGrid.hpp"
#include "MeshNodes.hpp"
#include "Point.hpp"

// The source and destination meshes of a run at working size.
struct RunMeshes {
    MeshGrid src; // the source mesh
    MeshGrid dst; // the destination mesh
};

// Scales the stored meshes (meshCols x meshRows inner lines, 1 .. 100 each, plus the border)
// to a working image of workWidth x workHeight pixels: every coordinate is multiplied by
// scale, except that the right border column sits exactly at workWidth - 1 and the bottom
// border row at workHeight - 1 in both meshes. Throws std::invalid_argument for counts out of
// range.
RunMeshes BuildRunMeshes(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                         int32_t meshRows, int32_t workWidth, int32_t workHeight, double scale);

// The in-between mesh mid = s * src + t * dst, node by node; where the two coordinates are
// equal mid takes that value exactly, which keeps the pinned border on the image border.
void InterpolateMidMesh(const MeshGrid& src, const MeshGrid& dst, double s, double t,
                        MeshGrid& mid);
