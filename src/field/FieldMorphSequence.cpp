#include "FieldMorphSequence.hpp"

#include "FieldLineSet.hpp"
#include "MorphSchedule.hpp"

void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, FrameSink& sink) {
    FieldMorphSequence(fieldSrc, fieldDst, fieldPointCount, maxY, images, frames, warpOnly, scale,
                       FieldKernelsFromEnvironment(), sink);
}

void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, const FieldMorphKernels& kernels, FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    FieldLineSet srcLines;
    FieldLineSet dstLines;
    BuildFieldLineSets(fieldSrc, fieldDst, fieldPointCount, maxY, scale, srcLines, dstLines);
    FieldWarpScratch scratch; // kept for every warp, so frames after the first allocate nothing

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        kernels.warp(images.src, images.frame, srcLines, dstLines, time.t, scratch);
        if (!warpOnly) {
            kernels.warp(images.dst, images.warpedDst, dstLines, srcLines, time.s, scratch);
            kernels.dissolve(images.frameIpl, images.warpedDstIpl, time.alpha);
        }
        sink.EmitFrame(images.frame, i);
        sink.StepProgress();
    }
}
