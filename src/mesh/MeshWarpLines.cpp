#include "MeshWarpLines.hpp"

#include <stdexcept>

#include "InterpCatmullRom.hpp"
#include "InterpLinear.hpp"

void InterpolateLine(const double* xs, const double* ys, int32_t nodes, const double* positions,
                     double* out, int32_t count, bool linear) {
    if (linear || !InterpCatmullRom(xs, ys, nodes, positions, out, count)) {
        InterpLinear(xs, ys, nodes, positions, out, count);
    }
}

void RequireMeshWarpInputs(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                           const MeshGrid& dstMesh) {
    if (src.bits == nullptr || dst.bits == nullptr || src.width <= 0 || src.height <= 0 ||
        src.rowStride < 3 * src.width || !SameGeometry(src, dst)) {
        throw std::invalid_argument("mesh warp needs two images of one geometry");
    }
    if (srcMesh.cols < 2 || srcMesh.rows < 2 || dstMesh.cols != srcMesh.cols ||
        dstMesh.rows != srcMesh.rows) {
        throw std::invalid_argument("mesh warp needs two meshes of one size, at least 2 x 2");
    }
}
