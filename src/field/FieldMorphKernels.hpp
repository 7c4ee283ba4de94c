#pragma once

#include "FieldLineSet.hpp"
#include "FieldWarpFast.hpp"
#include "IplHeader.hpp"
#include "WorkImage.hpp"

// The kernels a field morph runs on, chosen once per run: the exact reference kernels or
// their fast schedules, which write the same bytes.
struct FieldMorphKernels {
    // The field warp at time t; scratch is working memory kept across the warps of a run.
    void (*warp)(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
                 const FieldLineSet& toLines, double t, FieldWarpScratch& scratch);
    // The cross-dissolve of a frame with the warped final image.
    void (*dissolve)(IplHeader* frame, const IplHeader* warpedDst, int alpha);
};

// The reference kernels.
FieldMorphKernels ReferenceFieldKernels();

// The fast kernels on the default schedule.
FieldMorphKernels FastFieldKernels();

// The reference kernels when TWEENKIT_REFERENCE asks for them, else the fast ones.
FieldMorphKernels FieldKernelsFromEnvironment();
