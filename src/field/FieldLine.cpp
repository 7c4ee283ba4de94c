#include "FieldLine.hpp"

#include <cmath>

#include "Rounding.hpp"

namespace {

// Fills the differences and lengths from the end points.
void DeriveLength(FieldLine& line) {
    line.dx = line.qx - line.px;
    line.dy = line.qy - line.py;
    line.lenSq = static_cast<int64_t>(line.dx) * line.dx + static_cast<int64_t>(line.dy) * line.dy;
    line.len = std::sqrt(static_cast<double>(line.lenSq));
}

// Column of a stored x at working size.
int32_t ScaledColumn(int32_t x, double scale) {
    return TruncToInt32(x * scale);
}

// Row from the bottom of a stored y (row from the top) at working size.
int32_t ScaledRowFromBottom(int32_t y, int32_t maxY, double scale) {
    const int64_t flipped = static_cast<int64_t>(maxY) - y;
    return TruncToInt32(static_cast<double>(flipped) * scale);
}

// f + (g - f) * t, truncated.
int32_t Between(int32_t f, int32_t g, double t) {
    const int64_t difference = static_cast<int64_t>(g) - f;
    return TruncToInt32(f + static_cast<double>(difference) * t);
}

} // namespace

FieldLine FieldLineFromPoints(const Point& start, const Point& end, int32_t maxY, double scale) {
    FieldLine line{};
    line.px = ScaledColumn(start.x, scale);
    line.py = ScaledRowFromBottom(start.y, maxY, scale);
    line.qx = ScaledColumn(end.x, scale);
    line.qy = ScaledRowFromBottom(end.y, maxY, scale);
    if (line.qx == line.px && line.qy == line.py) {
        ++line.qx;
        ++line.qy;
    }
    DeriveLength(line);
    return line;
}

FieldLine InterpolateFieldLine(const FieldLine& from, const FieldLine& to, double t) {
    FieldLine line{};
    line.px = Between(from.px, to.px, t);
    line.py = Between(from.py, to.py, t);
    line.qx = Between(from.qx, to.qx, t);
    line.qy = Between(from.qy, to.qy, t);
    DeriveLength(line);
    return line;
}
