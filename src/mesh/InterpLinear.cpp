#include "InterpLinear.hpp"

#include "RunFailure.hpp"

void InterpLinear(const double* xs, const double* ys, int32_t nodes, const double* positions,
                  double* out, int32_t count) {
    double xa = xs[0];
    double ya = ys[0];
    double xb = xs[1];
    double yb = ys[1];
    int32_t m = 0;
    for (int32_t i = 0; i < count; ++i) {
        const double p = positions[i];
        if (p > xs[m] && m + 1 < nodes) {
            xa = xs[m];
            ya = ys[m];
            ++m;
            xb = xs[m];
            yb = ys[m];
        }
        const double span = xb - xa;
        RequireNonZeroDivisor(span, "linear interpolation: two nodes share their position");
        out[i] = ya + (yb - ya) * ((p - xa) / span);
    }
}
