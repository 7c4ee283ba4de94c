#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A rectangular grid of points with double coordinates, stored row by row: the point in row r,
// column k is element r * cols + k of x and y. Meshes and the warp's tables are MeshGrids.
struct MeshGrid {
    // A grid of cols x rows points, all at (0, 0); throws std::invalid_argument for a
    // negative size.
    MeshGrid(int32_t cols, int32_t rows);

    // x of the point in row r, column k.
    double& X(int32_t r, int32_t k) { return x[Index(r, k)]; }
    // x of the point in row r, column k.
    const double& X(int32_t r, int32_t k) const { return x[Index(r, k)]; }
    // y of the point in row r, column k.
    double& Y(int32_t r, int32_t k) { return y[Index(r, k)]; }
    // y of the point in row r, column k.
    const double& Y(int32_t r, int32_t k) const { return y[Index(r, k)]; }

    int32_t cols;          // points per row
    int32_t rows;          // number of rows
    std::vector<double> x; // x coordinates, row by row
    std::vector<double> y; // y coordinates, in the same order

private:
    // Element of row r, column k.
    std::size_t Index(int32_t r, int32_t k) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
               static_cast<std::size_t>(k);
    }
};
