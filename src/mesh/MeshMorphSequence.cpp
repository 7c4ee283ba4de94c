#include "MeshMorphSequence.hpp"

#include "CrossDissolve.hpp"
#include "KernelSchedule.hpp"
#include "MeshWarp2Pass.hpp"
#include "MeshWarp2PassFast.hpp"
#include "MorphSchedule.hpp"
#include "RunMeshes.hpp"

void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    const RunMeshes meshes = BuildRunMeshes(meshSrc, meshDst, meshCols, meshRows, images.src.width,
                                            images.src.height, scale);
    MeshGrid mid(meshes.src.cols, meshes.src.rows);

    // The fast kernels unless the environment asks for the reference ones.
    const bool reference = ReferenceForced();
    const KernelSchedule kernels;
    MeshWarpScratch scratch; // kept for every warp, so frames after the first allocate nothing
    const auto warp = [&](const WorkImage& from, const WorkImage& to, const MeshGrid& fromMesh) {
        if (reference) {
            MeshWarp2Pass(from, to, fromMesh, mid, linear);
        } else {
            MeshWarp2PassFast(from, to, fromMesh, mid, linear, kernels, scratch);
        }
    };

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        InterpolateMidMesh(meshes.src, meshes.dst, time.s, time.t, mid);
        warp(images.src, images.frame, meshes.src);
        if (!warpOnly) {
            warp(images.dst, images.warpedDst, meshes.dst);
            if (reference) {
                CrossDissolve(images.frameIpl, images.warpedDstIpl, time.alpha);
            } else {
                CrossDissolveFast(images.frameIpl, images.warpedDstIpl, time.alpha, kernels);
            }
        }
        sink.EmitFrame(images.frame, i);
        sink.StepProgress();
    }
}
