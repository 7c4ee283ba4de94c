#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "FieldLineSet.hpp"
#include "WorkImage.hpp"

// The parts of the field warp that its reference and its fast schedule share, so that the two
// weigh every line alike.

inline constexpr double kDistanceBias = 0.001; // keeps the weight of a pixel on a line finite
inline constexpr double kLengthPower = 0.75;   // exponent of the line length in the weight

// The lines of one warp moved to their time, with the length term of each.
struct MovedLines {
    FieldLineSet lines;                                  // the interpolated lines
    std::array<double, kFieldLineCapacity> lengthWeight; // len^kLengthPower of each
};

// Throws std::invalid_argument unless the images and sets fit together.
void RequireFieldWarpInputs(const WorkImage& image, const WorkImage& out, const FieldLineSet& from,
                            const FieldLineSet& to);

// Moves the lines the fraction t of the way from fromLines to toLines into moved. Throws
// RunFailure when there is no line or a line (moved or not) has zero length, so that no pixel
// divides by zero.
void MoveFieldLines(const FieldLineSet& fromLines, const FieldLineSet& toLines, double t,
                    MovedLines& moved);

// Where output pixel (x, y) (y a row from the bottom) samples the image: each line's pull,
// weighted by (len^p / (a + distance))^2 and summed in line order, plus the half pixel.
inline void FieldSourcePosition(const MovedLines& moved, const FieldLineSet& fromLines, int32_t x,
                                int32_t y, double& sx, double& sy) {
    double sumX = 0.0;
    double sumY = 0.0;
    double wsum = 0.0;
    for (int32_t k = 0; k < moved.lines.count; ++k) {
        const FieldLine& line = moved.lines.lines[k];
        const FieldLine& from = fromLines.lines[k];
        const int64_t ex = static_cast<int64_t>(x) - line.px;
        const int64_t ey = static_cast<int64_t>(y) - line.py;
        const double u =
            static_cast<double>(ex * line.dx + ey * line.dy) / static_cast<double>(line.lenSq);
        const double v = static_cast<double>(ey * line.dx - ex * line.dy) / line.len;

        double distance = 0.0;
        if (u <= 0.0) {
            distance = std::sqrt(static_cast<double>(ex * ex + ey * ey));
        } else if (u >= 1.0) {
            const int64_t endX = static_cast<int64_t>(x) - line.qx;
            const int64_t endY = static_cast<int64_t>(y) - line.qy;
            distance = std::sqrt(static_cast<double>(endX * endX + endY * endY));
        } else {
            distance = std::fabs(v);
        }

        const double sourceX = from.px + u * from.dx - v * from.dy / from.len;
        const double sourceY = from.py + u * from.dy + v * from.dx / from.len;
        // The square is a product, not pow(q, 2), whose last bit may differ; the fast
        // schedule squares the same way.
        const double q = moved.lengthWeight[k] / (kDistanceBias + distance);
        const double w = q * q;
        sumX += (sourceX - x) * w;
        sumY += (sourceY - y) * w;
        wsum += w;
    }
    sx = x + sumX / wsum + 0.5;
    sy = y + sumY / wsum + 0.5;
}
