#include "FieldMorphKernels.hpp"

#include "CrossDissolve.hpp"
#include "FieldWarp.hpp"
#include "KernelSchedule.hpp"

FieldMorphKernels ReferenceFieldKernels() {
    return {[](const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
               const FieldLineSet& toLines, double t,
               FieldWarpScratch&) { FieldWarp(image, out, fromLines, toLines, t); },
            CrossDissolve};
}

FieldMorphKernels FastFieldKernels() {
    return {[](const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
               const FieldLineSet& toLines, double t, FieldWarpScratch& scratch) {
                FieldWarpFast(image, out, fromLines, toLines, t, KernelSchedule{}, scratch);
            },
            [](IplHeader* frame, const IplHeader* warpedDst, int alpha) {
                CrossDissolveFast(frame, warpedDst, alpha);
            }};
}

FieldMorphKernels FieldKernelsFromEnvironment() {
    return ReferenceForced() ? ReferenceFieldKernels() : FastFieldKernels();
}
