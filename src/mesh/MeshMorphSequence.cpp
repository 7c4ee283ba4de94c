#include "MeshMorphSequence.hpp"

#include "MorphSchedule.hpp"
#include "RunMeshes.hpp"

void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, FrameSink& sink) {
    MeshMorphSequence(meshSrc, meshDst, meshCols, meshRows, images, frames, linear, warpOnly, scale,
                      MeshKernelsFromEnvironment(), sink);
}

void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, const MeshMorphKernels& kernels,
                       FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    const RunMeshes meshes = BuildRunMeshes(meshSrc, meshDst, meshCols, meshRows, images.src.width,
                                            images.src.height, scale);
    MeshGrid mid(meshes.src.cols, meshes.src.rows);
    MeshWarpScratch scratch; // kept for every warp, so frames after the first allocate nothing

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        InterpolateMidMesh(meshes.src, meshes.dst, time.s, time.t, mid);
        kernels.warp(images.src, images.frame, meshes.src, mid, linear, scratch);
        if (!warpOnly) {
            kernels.warp(images.dst, images.warpedDst, meshes.dst, mid, linear, scratch);
            kernels.dissolve(images.frameIpl, images.warpedDstIpl, time.alpha);
        }
        sink.EmitFrame(images.frame, i);
        sink.StepProgress();
    }
}
