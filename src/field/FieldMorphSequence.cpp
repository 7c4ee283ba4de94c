#include "FieldMorphSequence.hpp"

#include "CrossDissolve.hpp"
#include "FieldLineSet.hpp"
#include "FieldWarp.hpp"
#include "MorphSchedule.hpp"

void FieldMorphSequence(const Point* fieldSrc, const Point* fieldDst, int32_t fieldPointCount,
                        int32_t maxY, const MorphImages& images, int32_t frames, bool warpOnly,
                        double scale, FrameSink& sink) {
    RequireMorphImages(images, warpOnly);
    FieldLineSet srcLines;
    FieldLineSet dstLines;
    BuildFieldLineSets(fieldSrc, fieldDst, fieldPointCount, maxY, scale, srcLines, dstLines);

    const MorphSchedule schedule(frames, warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        FieldWarp(images.src, images.frame, srcLines, dstLines, time.t);
        if (!warpOnly) {
            FieldWarp(images.dst, images.warpedDst, dstLines, srcLines, time.s);
            CrossDissolve(images.frameIpl, images.warpedDstIpl, time.alpha);
        }
        sink.EmitFrame();
        sink.StepProgress();
    }
}
