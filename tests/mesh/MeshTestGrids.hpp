#pragma once

#include <cstdint>
#include <vector>

#include "MeshGrid.hpp"
#include "Point.hpp"
#include "RunMeshes.hpp"

// Stored node arrays as the editor lays a new mesh of v x h inner lines over an image:
// spacing ceil(size / (lines + 1)), the right and bottom border on the last pixel.
inline std::vector<Point> NewMeshNodes(int32_t width, int32_t height, int32_t v, int32_t h) {
    std::vector<Point> nodes(kMeshArraySide * kMeshArraySide, Point{0, 0});
    const int32_t dx = (width + v) / (v + 1);
    const int32_t dy = (height + h) / (h + 1);
    for (int32_t k = 0; k <= v + 1; ++k) {
        for (int32_t r = 0; r <= h + 1; ++r) {
            nodes[k * kMeshArraySide + r] = {k <= v ? k * dx : width - 1,
                                             r <= h ? r * dy : height - 1};
        }
    }
    return nodes;
}

// A mesh whose node in row r, column k sits at (xs[k], ys[r]).
inline MeshGrid RegularMesh(const std::vector<double>& xs, const std::vector<double>& ys) {
    MeshGrid mesh(static_cast<int32_t>(xs.size()), static_cast<int32_t>(ys.size()));
    for (int32_t r = 0; r < mesh.rows; ++r) {
        for (int32_t k = 0; k < mesh.cols; ++k) {
            mesh.X(r, k) = xs[k];
            mesh.Y(r, k) = ys[r];
        }
    }
    return mesh;
}
