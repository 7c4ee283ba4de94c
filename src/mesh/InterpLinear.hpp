#pragma once

#include <cstdint>

// Evaluates the broken line through the nodes (xs[k], ys[k]), k = 0 .. nodes - 1 (nodes >= 2),
// at positions[0 .. count - 1] (ascending) into out. The segment moves on by at most one node
// per position, so where nodes lie less than one position apart or out of order it lags
// behind and the value is extrapolated from the lagging segment; past the last node the last
// segment extrapolates. Throws RunFailure when the segment in use has zero length.
void InterpLinear(const double* xs, const double* ys, int32_t nodes, const double* positions,
                  double* out, int32_t count);
