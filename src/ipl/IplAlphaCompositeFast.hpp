#pragma once

#include "IplHeader.hpp"
#include "KernelSchedule.hpp"

// Pixel bytes below which the composite runs on one thread unless the schedule names a
// thread count.
inline constexpr int64_t kCompositeParallelBytes = int64_t{1} << 20;

// iplAlphaCompositeC on the schedule's threads, rows in parallel and the bytes of a row in
// vector lanes: the same bytes, the same refusals (false, nothing written).
bool iplAlphaCompositeCFast(const IplHeader* srcA, const IplHeader* srcB, IplHeader* dst,
                            int compositeType, int alphaA, int alphaB, bool premulAlpha,
                            bool divideMode, const KernelSchedule& schedule = {});
