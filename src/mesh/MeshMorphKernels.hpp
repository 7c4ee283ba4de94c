#pragma once

#include <cstdint>

#include "IplHeader.hpp"
#include "MeshGrid.hpp"
#include "MeshWarpScratch.hpp"
#include "WorkImage.hpp"

// The kernels a mesh morph runs on, chosen once per run: the exact reference kernels or their
// fast schedules, which write the same bytes.
struct MeshMorphKernels {
    // The two-pass warp; scratch is working memory kept across the warps of a run.
    void (*warp)(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                 const MeshGrid& dstMesh, bool linear, MeshWarpScratch& scratch);
    // The cross-dissolve of a frame with the warped final image.
    void (*dissolve)(IplHeader* frame, const IplHeader* warpedDst, int alpha);
};

// The reference kernels.
MeshMorphKernels ReferenceMeshKernels();

// The fast kernels on the default schedule.
MeshMorphKernels FastMeshKernels();

// The reference kernels when TWEENKIT_REFERENCE asks for them, else the fast ones.
MeshMorphKernels MeshKernelsFromEnvironment();
