#pragma once

#include <cstdint>

// Evaluates the Catmull-Rom spline through the nodes (xs[k], ys[k]), k = 0 .. nodes - 1
// (nodes >= 2), at positions[0 .. count - 1] (ascending) into out. On each interval it is the
// cubic Hermite curve from node j to node j + 1 with the difference quotients over nodes
// j - 1 .. j + 1 and j .. j + 2 as slopes, one-sided at the ends. The nodes count as rising
// when xs[0] < xs[1], otherwise as falling; falling nodes keep the first interval's cubic for
// the whole line. Returns false, writing nothing, when the positions leave the nodes' range
// at either end (rising: below xs[0] or above xs[nodes - 1]; falling: the other way round).
// Throws RunFailure when an interval or a slope quotient has zero width.
bool InterpCatmullRom(const double* xs, const double* ys, int32_t nodes, const double* positions,
                      double* out, int32_t count);
