#include "MeshWarp2PassFast.hpp"

#include <algorithm>
#include <vector>

#include "MeshWarpLines.hpp"
#include "ParallelFor.hpp"
#include "ResamplePixelLine.hpp"

namespace {

// Lines per work item: rows of the first pass, and columns of the second, where 64 columns
// are 192 bytes, whole cache lines, so two threads never write one line of dst.
constexpr int64_t kRowsPerChunk = 4;
constexpr int64_t kColumnsPerChunk = 64;

} // namespace

void MeshWarp2PassFast(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                       const MeshGrid& dstMesh, bool linear, const KernelSchedule& schedule) {
    MeshWarpScratch scratch;
    MeshWarp2PassFast(src, dst, srcMesh, dstMesh, linear, schedule, scratch);
}

void MeshWarp2PassFast(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                       const MeshGrid& dstMesh, bool linear, const KernelSchedule& requested,
                       MeshWarpScratch& scratch) {
    RequireMeshWarpInputs(src, dst, srcMesh, dstMesh);
    const KernelSchedule schedule =
        ForWork(requested, int64_t{src.width} * src.height, kMeshWarpParallelPixels);
    const int32_t width = src.width;
    const int32_t height = src.height;
    const int32_t meshCols = srcMesh.cols;
    const int32_t meshRows = srcMesh.rows;
    // Buffers for as many threads as a default schedule may take, so that a warp that finds
    // the machine less busy than the last one finds its buffers made.
    const int32_t bufferThreads =
        requested.threads > 0 ? schedule.threads : std::max(schedule.threads, MostDefaultThreads());
    scratch.Prepare(width, height, src.rowStride, meshCols, meshRows, bufferThreads);
    const double* positions = scratch.positions.data();
    const auto bufferOf = [&scratch](int32_t participant) -> MeshLineBuffers& {
        return scratch.lineBuffers[static_cast<std::size_t>(participant)];
    };

    // The first pass writes every pixel byte of the intermediate image, so it needs no fill.
    const WorkImage intermediate{scratch.intermediate.data(), width, height, src.rowStride};

    {
        // First-pass table: items 0 .. meshCols - 1 are the columns of srcMesh, the rest those
        // of dstMesh, in the reference's order.
        MeshGrid& crossings = scratch.crossings;
        ParallelFor(2 * int64_t{meshCols}, schedule, 1, [&](int32_t participant) {
            return [&, &buffers = bufferOf(participant)](int64_t item) {
                const bool ofSrc = item < meshCols;
                const MeshGrid& mesh = ofSrc ? srcMesh : dstMesh;
                std::vector<double>& table = ofSrc ? crossings.x : crossings.y;
                const auto k = static_cast<int32_t>(ofSrc ? item : item - meshCols);
                for (int32_t r = 0; r < meshRows; ++r) {
                    buffers.nodesX[r] = mesh.Y(r, k);
                    buffers.nodesY[r] = mesh.X(r, k);
                }
                InterpolateLine(buffers.nodesX.data(), buffers.nodesY.data(), meshRows, positions,
                                buffers.map.data(), height, linear);
                for (int32_t y = 0; y < height; ++y) {
                    table[static_cast<std::size_t>(y) * meshCols + k] = buffers.map[y];
                }
            };
        });

        // First pass: each row of src moves along itself into the intermediate image.
        ParallelFor(height, schedule, kRowsPerChunk, [&](int32_t participant) {
            return [&, &buffers = bufferOf(participant)](int64_t item) {
                const auto y = static_cast<int32_t>(item);
                InterpolateLine(&crossings.X(y, 0), &crossings.Y(y, 0), meshCols, positions,
                                buffers.map.data(), width, linear);
                buffers.map[width] = width;
                ResamplePixelLine(PixelFromTop(src, 0, y), PixelFromTop(intermediate, 0, y), width,
                                  3, buffers.map.data(), buffers.resample, schedule);
            };
        });
    }

    // Second-pass table: items 0 .. meshRows - 1 are the rows of srcMesh, the rest those of
    // dstMesh, each taken at its own mesh's x positions.
    MeshGrid& heights = scratch.heights;
    ParallelFor(2 * int64_t{meshRows}, schedule, 1, [&] {
        return [&](int64_t item) {
            const bool ofSrc = item < meshRows;
            const MeshGrid& mesh = ofSrc ? srcMesh : dstMesh;
            const auto r = static_cast<int32_t>(ofSrc ? item : item - meshRows);
            double* row = ofSrc ? &heights.X(r, 0) : &heights.Y(r, 0);
            InterpolateLine(&mesh.X(r, 0), &mesh.Y(r, 0), meshCols, positions, row, width, linear);
        };
    });

    // Second pass: each column of the intermediate image moves along itself into dst. A step
    // of -rowStride walks the bottom-up memory from the top row downwards.
    ParallelFor(width, schedule, kColumnsPerChunk, [&](int32_t participant) {
        return [&, &buffers = bufferOf(participant)](int64_t item) {
            const auto x = static_cast<int32_t>(item);
            for (int32_t r = 0; r < meshRows; ++r) {
                buffers.nodesX[r] = heights.X(r, x);
                buffers.nodesY[r] = heights.Y(r, x);
            }
            InterpolateLine(buffers.nodesX.data(), buffers.nodesY.data(), meshRows, positions,
                            buffers.map.data(), height, linear);
            buffers.map[height] = height;
            ResamplePixelLine(PixelFromTop(intermediate, x, 0), PixelFromTop(dst, x, 0), height,
                              -static_cast<std::ptrdiff_t>(src.rowStride), buffers.map.data(),
                              buffers.resample, schedule);
        };
    });
}
