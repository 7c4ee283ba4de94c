#pragma once

#include "IplHeader.hpp"
#include "KernelSchedule.hpp"

// The cross-dissolve of a morph frame, in place: frame = (alpha * frame + (255 - alpha) *
// warpedDst) / 255, rounded as iplAlphaCompositeC rounds; warpedDst is left unchanged.
// Throws std::invalid_argument when the headers cannot be composited (missing or mismatched)
// or alpha lies outside 0..255.
void CrossDissolve(IplHeader* frame, const IplHeader* warpedDst, int alpha);

// CrossDissolve on the fast composite: the same bytes and the same refusals.
void CrossDissolveFast(IplHeader* frame, const IplHeader* warpedDst, int alpha,
                       const KernelSchedule& schedule = {});
