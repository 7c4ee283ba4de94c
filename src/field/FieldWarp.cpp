#include "FieldWarp.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

#include "RunFailure.hpp"
#include "SamplePixel.hpp"

namespace {

constexpr double kDistanceBias = 0.001; // keeps the weight of a pixel on a line finite
constexpr double kLengthPower = 0.75;   // exponent of the line length in the weight

// Throws std::invalid_argument unless the images and sets fit together.
void RequireWarpInputs(const WorkImage& image, const WorkImage& out, const FieldLineSet& from,
                       const FieldLineSet& to) {
    if (image.bits == nullptr || out.bits == nullptr || image.width <= 0 || image.height <= 0 ||
        image.rowStride < 3 * image.width || !SameGeometry(image, out)) {
        throw std::invalid_argument("field warp needs two images of one geometry");
    }
    if (from.count != to.count || from.count < 0 || from.count > kFieldLineCapacity) {
        throw std::invalid_argument("field warp needs two line sets of one count");
    }
}

} // namespace

void FieldWarp(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
               const FieldLineSet& toLines, double t) {
    RequireWarpInputs(image, out, fromLines, toLines);
    const int32_t count = fromLines.count;
    // With at least one line of non-zero length every weight is positive, so the weight sum
    // of a pixel is never zero.
    if (count == 0) {
        throw RunFailure("field warp: no control lines");
    }

    FieldLineSet moved;
    moved.count = count;
    std::array<double, kFieldLineCapacity> lengthWeight; // len^p of each moved line
    for (int32_t k = 0; k < count; ++k) {
        moved.lines[k] = InterpolateFieldLine(fromLines.lines[k], toLines.lines[k], t);
        if (moved.lines[k].lenSq == 0 || fromLines.lines[k].lenSq == 0) {
            throw RunFailure("field warp: a control line has zero length");
        }
        lengthWeight[k] = std::pow(moved.lines[k].len, kLengthPower);
    }

    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* pixel = RowFromBottom(out, y);
        for (int32_t x = 0; x < image.width; ++x) {
            double sumX = 0.0;
            double sumY = 0.0;
            double wsum = 0.0;
            for (int32_t k = 0; k < count; ++k) {
                const FieldLine& line = moved.lines[k];
                const FieldLine& from = fromLines.lines[k];
                const int64_t ex = static_cast<int64_t>(x) - line.px;
                const int64_t ey = static_cast<int64_t>(y) - line.py;
                const double u = static_cast<double>(ex * line.dx + ey * line.dy) /
                                 static_cast<double>(line.lenSq);
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
                // The square is a product, not pow(q, 2), whose last bit may differ.
                const double q = lengthWeight[k] / (kDistanceBias + distance);
                const double w = q * q;
                sumX += (sourceX - x) * w;
                sumY += (sourceY - y) * w;
                wsum += w;
            }
            const double sx = x + sumX / wsum + 0.5;
            const double sy = y + sumY / wsum + 0.5;
            SamplePixel(image, pixel, sx, sy);
            pixel += 3;
        }
    }
}
