#include "MeshMorphSequence.hpp"

#include "CrossDissolve.hpp"
#include "MeshWarp2Pass.hpp"
#include "MorphSchedule.hpp"
#include "RunMeshes.hpp"

void MeshMorphSequence(const Point* meshSrc, const Point* meshDst, int32_t meshCols,
                       int32_t meshRows, const MorphImages& images, int32_t frames, bool linear,
                       bool warpOnly, double scale, FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    const RunMeshes meshes = BuildRunMeshes(meshSrc, meshDst, meshCols, meshRows, images.src.width,
                                            images.src.height, scale);
    MeshGrid mid(meshes.src.cols, meshes.src.rows);

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        InterpolateMidMesh(meshes.src, meshes.dst, time.s, time.t, mid);
        MeshWarp2Pass(images.src, images.frame, meshes.src, mid, linear);
        if (!warpOnly) {
            MeshWarp2Pass(images.dst, images.warpedDst, meshes.dst, mid, linear);
            CrossDissolve(images.frameIpl, images.warpedDstIpl, time.alpha);
        }
        sink.EmitFrame();
        sink.StepProgress();
    }
}
