#include "InterpCatmullRom.hpp"

#include <algorithm>

#include "RunFailure.hpp"

namespace {

// The cubic of one interval, in powers of the distance from its left node.
struct Cubic {
    double a0;
    double a1;
    double a2;
    double a3;
};

// Index of the left node of the interval that serves position p.
int32_t IntervalAt(const double* xs, int32_t nodes, double p) {
    // The search scans upwards from the first node, for falling nodes too.
    int32_t j = 0;
    while (j < nodes && p > xs[j]) {
        ++j;
    }
    if (j < nodes && p < xs[j]) {
        --j;
    }
    // A position exactly at the last node is served by the last real interval; a position
    // below the first node of falling nodes by the first.
    return std::clamp(j, 0, nodes - 2);
}

// Hermite cubic from node j to node j + 1 with Catmull-Rom slopes.
Cubic CubicOfInterval(const double* xs, const double* ys, int32_t nodes, int32_t j) {
    const int32_t j1 = std::max(j - 1, 0);
    const int32_t j2 = std::min(j + 2, nodes - 1);
    const char* overlap = "Catmull-Rom interpolation: two nodes share their position";
    RequireNonZeroDivisor(xs[j + 1] - xs[j], overlap);
    RequireNonZeroDivisor(xs[j + 1] - xs[j1], overlap);
    RequireNonZeroDivisor(xs[j2] - xs[j], overlap);
    const double dx = 1.0 / (xs[j + 1] - xs[j]);
    const double dx1 = 1.0 / (xs[j + 1] - xs[j1]);
    const double dx2 = 1.0 / (xs[j2] - xs[j]);
    const double dy = (ys[j + 1] - ys[j]) * dx;
    const double yd1 = (ys[j + 1] - ys[j1]) * dx1;
    const double yd2 = (ys[j2] - ys[j]) * dx2;
    return {ys[j], yd1, dx * (3.0 * dy - 2.0 * yd1 - yd2), dx * dx * (-2.0 * dy + yd1 + yd2)};
}

} // namespace

bool InterpCatmullRom(const double* xs, const double* ys, int32_t nodes, const double* positions,
                      double* out, int32_t count) {
    if (count <= 0) {
        return true;
    }
    const bool rising = xs[0] < xs[1];
    const double first = positions[0];
    const double lastPosition = positions[count - 1];
    if (rising ? (first < xs[0] || lastPosition > xs[nodes - 1])
               : (first > xs[0] || lastPosition < xs[nodes - 1])) {
        return false;
    }

    // The bound lies beyond the first position so that it starts a new interval.
    double bound = rising ? first - 1.0 : first + 1.0;
    double p1 = 0.0;
    Cubic cubic{};
    for (int32_t i = 0; i < count; ++i) {
        const double p = positions[i];
        if (rising ? p > bound : p < bound) {
            const int32_t j = IntervalAt(xs, nodes, p);
            p1 = xs[j];
            bound = xs[j + 1];
            cubic = CubicOfInterval(xs, ys, nodes, j);
        }
        const double t = p - p1;
        out[i] = ((cubic.a3 * t + cubic.a2) * t + cubic.a1) * t + cubic.a0;
    }
    return true;
}
