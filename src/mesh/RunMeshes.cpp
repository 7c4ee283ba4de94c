#include "RunMeshes.hpp"

#include <stdexcept>

RunMeshes BuildRunMeshes(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                         int32_t meshRows, int32_t workWidth, int32_t workHeight, double scale) {
    const int32_t maxInner = kMeshArraySide - 2;
    if (meshCols < 1 || meshCols > maxInner || meshRows < 1 || meshRows > maxInner) {
        throw std::invalid_argument("a mesh has 1 to 100 inner lines each way");
    }
    const int32_t cols = meshCols + 2;
    const int32_t rows = meshRows + 2;
    RunMeshes meshes{MeshGrid(cols, rows), MeshGrid(cols, rows)};
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t k = 0; k < cols; ++k) {
            const Point& src = meshSrc[k * kMeshArraySide + r];
            const Point& dst = meshDst[k * kMeshArraySide + r];
            if (k == cols - 1) {
                meshes.src.X(r, k) = workWidth - 1;
                meshes.dst.X(r, k) = workWidth - 1;
            } else {
                meshes.src.X(r, k) = src.x * scale;
                meshes.dst.X(r, k) = dst.x * scale;
            }
            if (r == rows - 1) {
                meshes.src.Y(r, k) = workHeight - 1;
                meshes.dst.Y(r, k) = workHeight - 1;
            } else {
                meshes.src.Y(r, k) = src.y * scale;
                meshes.dst.Y(r, k) = dst.y * scale;
            }
        }
    }
    return meshes;
}

void InterpolateMidMesh(const MeshGrid& src, const MeshGrid& dst, double s, double t,
                        MeshGrid& mid) {
    const auto blend = [s, t](double a, double b) { return a == b ? a : s * a + t * b; };
    for (std::size_t i = 0; i < mid.x.size(); ++i) {
        mid.x[i] = blend(src.x[i], dst.x[i]);
        mid.y[i] = blend(src.y[i], dst.y[i]);
    }
}
