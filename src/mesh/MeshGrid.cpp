#include "MeshGrid.hpp"

#include <stdexcept>

namespace {

// Number of points of a grid, after checking the size.
std::size_t PointCount(int32_t cols, int32_t rows) {
    if (cols < 0 || rows < 0) {
        throw std::invalid_argument("mesh grid size must not be negative");
    }
    return static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows);
}

} // namespace

MeshGrid::MeshGrid(int32_t cols, int32_t rows)
    : cols(cols), rows(rows), x(PointCount(cols, rows)), y(x.size()) {}
