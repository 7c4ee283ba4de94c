#include "FieldMorphSequence.hpp"

#include "CrossDissolve.hpp"
#include "FieldLineSet.hpp"
#include "FieldWarp.hpp"
#include "FieldWarpFast.hpp"
#include "KernelSchedule.hpp"
#include "MorphSchedule.hpp"

void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    FieldLineSet srcLines;
    FieldLineSet dstLines;
    BuildFieldLineSets(fieldSrc, fieldDst, fieldPointCount, maxY, scale, srcLines, dstLines);

    // The fast kernels unless the environment asks for the reference ones.
    const bool reference = ReferenceForced();
    const KernelSchedule kernels;
    FieldWarpScratch scratch; // kept for every warp, so frames after the first allocate nothing
    const auto warp = [&](const WorkImage& from, const WorkImage& to, const FieldLineSet& fromSet,
                          const FieldLineSet& toSet, double t) {
        if (reference) {
            FieldWarp(from, to, fromSet, toSet, t);
        } else {
            FieldWarpFast(from, to, fromSet, toSet, t, kernels, scratch);
        }
    };

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        warp(images.src, images.frame, srcLines, dstLines, time.t);
        if (!warpOnly) {
            warp(images.dst, images.warpedDst, dstLines, srcLines, time.s);
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
