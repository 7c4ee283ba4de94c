#include "MeshWarp2Pass.hpp"

#include <algorithm>
#include <vector>

#include "MeshWarpLines.hpp"
#include "Resample1D.hpp"

void MeshWarp2Pass(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                   const MeshGrid& dstMesh, bool linear) {
    RequireMeshWarpInputs(src, dst, srcMesh, dstMesh);
    const int32_t width = src.width;
    const int32_t height = src.height;
    const int32_t meshCols = srcMesh.cols;
    const int32_t meshRows = srcMesh.rows;

    // Work storage. The node buffers also hold a mesh line longer than the image side.
    const int32_t n = std::max(width, height);
    std::vector<double> positions(n);
    for (int32_t i = 0; i < n; ++i) {
        positions[i] = i;
    }
    const std::size_t nodeCapacity = std::max({n, meshCols, meshRows});
    std::vector<double> abscissae(nodeCapacity);
    std::vector<double> ordinates(nodeCapacity);
    std::vector<double> firstMap(static_cast<std::size_t>(n) + 1);
    std::vector<double> secondMap(static_cast<std::size_t>(n) + 1);

    std::vector<uint8_t> intermediatePixels(static_cast<std::size_t>(src.rowStride) * height, 255);
    const WorkImage intermediate{intermediatePixels.data(), width, height, src.rowStride};

    {
        // First-pass table: X at (y, k) is where column k of srcMesh crosses row y, Y the same
        // for dstMesh.
        MeshGrid crossings(meshCols, height);
        const auto tabulateColumns = [&](const MeshGrid& mesh, std::vector<double>& column) {
            for (int32_t k = 0; k < meshCols; ++k) {
                for (int32_t r = 0; r < meshRows; ++r) {
                    abscissae[r] = mesh.Y(r, k);
                    ordinates[r] = mesh.X(r, k);
                }
                InterpolateLine(abscissae.data(), ordinates.data(), meshRows, positions.data(),
                                secondMap.data(), height, linear);
                for (int32_t y = 0; y < height; ++y) {
                    column[static_cast<std::size_t>(y) * meshCols + k] = secondMap[y];
                }
            }
        };
        tabulateColumns(srcMesh, crossings.x);
        tabulateColumns(dstMesh, crossings.y);

        // First pass: each row of src moves along itself into the intermediate image.
        for (int32_t y = 0; y < height; ++y) {
            InterpolateLine(&crossings.X(y, 0), &crossings.Y(y, 0), meshCols, positions.data(),
                            firstMap.data(), width, linear);
            firstMap[width] = width;
            for (int32_t b = 0; b < 3; ++b) {
                Resample1D(PixelFromTop(src, 0, y) + b, PixelFromTop(intermediate, 0, y) + b, width,
                           3, firstMap.data());
            }
        }
    }

    // Second-pass table: X at (r, x) is the y of row r of srcMesh at column x, taken at
    // srcMesh's own x positions; Y the same for dstMesh.
    MeshGrid heights(width, meshRows);
    for (int32_t r = 0; r < meshRows; ++r) {
        InterpolateLine(&srcMesh.X(r, 0), &srcMesh.Y(r, 0), meshCols, positions.data(),
                        &heights.X(r, 0), width, linear);
    }
    for (int32_t r = 0; r < meshRows; ++r) {
        InterpolateLine(&dstMesh.X(r, 0), &dstMesh.Y(r, 0), meshCols, positions.data(),
                        &heights.Y(r, 0), width, linear);
    }

    // Second pass: each column of the intermediate image moves along itself into dst. A step
    // of -rowStride walks the bottom-up memory from the top row downwards.
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t r = 0; r < meshRows; ++r) {
            abscissae[r] = heights.X(r, x);
            ordinates[r] = heights.Y(r, x);
        }
        InterpolateLine(abscissae.data(), ordinates.data(), meshRows, positions.data(),
                        firstMap.data(), height, linear);
        firstMap[height] = height;
        for (int32_t b = 0; b < 3; ++b) {
            Resample1D(PixelFromTop(intermediate, x, 0) + b, PixelFromTop(dst, x, 0) + b, height,
                       -static_cast<std::ptrdiff_t>(src.rowStride), firstMap.data());
        }
    }
}
