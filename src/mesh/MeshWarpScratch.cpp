#include "MeshWarpScratch.hpp"

#include <algorithm>

void MeshWarpScratch::Prepare(int32_t width, int32_t height, int32_t rowStride, int32_t meshCols,
                              int32_t meshRows, int32_t threads) {
    const int32_t n = std::max(width, height);
    const auto capacity = static_cast<std::size_t>(std::max({n, meshCols, meshRows}));
    if (positions.size() < static_cast<std::size_t>(n)) {
        positions.resize(static_cast<std::size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            positions[static_cast<std::size_t>(i)] = i;
        }
    }
    intermediate.resize(static_cast<std::size_t>(rowStride) * height);
    if (width != width_ || height != height_ || meshCols != meshCols_ || meshRows != meshRows_) {
        crossings = MeshGrid(meshCols, height);
        heights = MeshGrid(width, meshRows);
        width_ = width;
        height_ = height;
        meshCols_ = meshCols;
        meshRows_ = meshRows;
    }
    if (!lineBuffers.empty() && lineBuffers.front().map.size() < capacity + 1) {
        lineBuffers.clear();
    }
    while (static_cast<int32_t>(lineBuffers.size()) < threads) {
        lineBuffers.emplace_back(capacity);
    }
}
