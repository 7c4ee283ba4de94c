#pragma once

#include "KernelSchedule.hpp"
#include "MeshGrid.hpp"
#include "MeshWarpScratch.hpp"
#include "WorkImage.hpp"

// Pixels below which the warp runs on one thread unless the schedule names a thread count.
inline constexpr int64_t kMeshWarpParallelPixels = int64_t{1} << 17;

// MeshWarp2Pass on the schedule's threads: the same bytes in dst, the same failures. Each
// phase of the warp (the first-pass table, the rows of the first pass, the second-pass table,
// the columns of the second pass) runs its lines in parallel, and one map and one walk of the
// resampler serve the three bytes of a line (with simd in the lanes of one vector). A failing
// warp throws the failure of the first failing line of the first failing phase, as the
// reference does; dst is then undefined.
void MeshWarp2PassFast(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                       const MeshGrid& dstMesh, bool linear, const KernelSchedule& schedule = {});

// MeshWarp2PassFast in the given working memory, which it prepares: a warp that fits the
// memory left by an earlier one allocates nothing.
void MeshWarp2PassFast(const WorkImage& src, const WorkImage& dst, const MeshGrid& srcMesh,
                       const MeshGrid& dstMesh, bool linear, const KernelSchedule& schedule,
                       MeshWarpScratch& scratch);
