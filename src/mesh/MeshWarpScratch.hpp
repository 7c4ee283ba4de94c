#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MeshGrid.hpp"
#include "ResamplePixelLine.hpp"

// One thread's buffers for interpolating and resampling lines of up to n pixels.
struct MeshLineBuffers {
    explicit MeshLineBuffers(std::size_t n) : nodesX(n), nodesY(n), map(n + 1), resample(n) {}

    std::vector<double> nodesX; // abscissae of a line's nodes
    std::vector<double> nodesY; // ordinates of a line's nodes
    std::vector<double> map;    // the line's map, one more than its pixels
    ResampleBuffers resample;   // the resampler's
};

// The working memory of MeshWarp2PassFast: the intermediate image, the two tables and each
// thread's line buffers. A sequence keeps one for all its warps, so that after the first warp
// warping a frame allocates nothing.
class MeshWarpScratch {
public:
    // Makes the memory fit a warp of a width x height image of rowStride bytes a row with a
    // meshCols x meshRows mesh on up to threads threads; allocates only when it does not fit
    // yet.
    void Prepare(int32_t width, int32_t height, int32_t rowStride, int32_t meshCols,
                 int32_t meshRows, int32_t threads);

    std::vector<double> positions;            // 0, 1, 2, ... up to the longer image side
    std::vector<uint8_t> intermediate;        // the first pass's image
    MeshGrid crossings{0, 0};                 // the first pass's table
    MeshGrid heights{0, 0};                   // the second pass's table
    std::vector<MeshLineBuffers> lineBuffers; // one per thread

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t meshCols_ = 0;
    int32_t meshRows_ = 0;
};
