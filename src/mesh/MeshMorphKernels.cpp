#include "MeshMorphKernels.hpp"

#include "CrossDissolve.hpp"
#include "KernelSchedule.hpp"
#include "MeshWarp2Pass.hpp"
#include "MeshWarp2PassFast.hpp"

MeshMorphKernels ReferenceMeshKernels() {
    return {[](const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
               const MeshGrid& dstMesh, bool linear,
               MeshWarpScratch&) { MeshWarp2Pass(src, dst, srcMesh, dstMesh, linear); },
            CrossDissolve};
}

MeshMorphKernels FastMeshKernels() {
    return {[](const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
               const MeshGrid& dstMesh, bool linear, MeshWarpScratch& scratch) {
                MeshWarp2PassFast(src, dst, srcMesh, dstMesh, linear, KernelSchedule{}, scratch);
            },
            [](IplHeader* frame, const IplHeader* warpedDst, int alpha) {
                CrossDissolveFast(frame, warpedDst, alpha);
            }};
}

MeshMorphKernels MeshKernelsFromEnvironment() {
    return ReferenceForced() ? ReferenceMeshKernels() : FastMeshKernels();
}
