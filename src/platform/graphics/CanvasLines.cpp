// TCanvas lines: Bresenham paths without their end pixel, dash patterns, square thick pens.
#include "graphics/Canvas.hpp"

#include "graphics/WideInt.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// The pixels of a line from (x0, y0) towards (x1, y1): steps 0 .. Count()-1, the end left out.
// Step i moves i pixels along the major axis and i * minor / major, rounded half up, along the
// minor axis: the Bresenham path in closed form, so clipping can jump straight to any step.
struct LinePath {
    int64_t x0, y0, sx, sy, major, minor;
    bool xMajor;

    LinePath(int64_t ax, int64_t ay, int64_t bx, int64_t by)
        : x0(ax), y0(ay), sx(bx >= ax ? 1 : -1), sy(by >= ay ? 1 : -1) {
        int64_t dx = std::abs(bx - ax);
        int64_t dy = std::abs(by - ay);
        xMajor = dx >= dy;
        major = std::max(dx, dy);
        minor = std::min(dx, dy);
    }
    int64_t Count() const { return major; }
    int64_t MinorStep(int64_t i) const {
        return static_cast<int64_t>((Int128{2} * i * minor + major) / (Int128{2} * major));
    }
    int64_t X(int64_t i) const { return x0 + sx * (xMajor ? i : MinorStep(i)); }
    int64_t Y(int64_t i) const { return y0 + sy * (xMajor ? MinorStep(i) : i); }
    // Distance travelled along y up to step i; it never decreases with i.
    int64_t YTravel(int64_t i) const { return xMajor ? MinorStep(i) : i; }
    // The first step whose y travel is at least t (Count() when there is none).
    int64_t FirstStepWithTravel(int64_t t) const {
        int64_t lo = 0, hi = Count();
        while (lo < hi) {
            int64_t mid = lo + (hi - lo) / 2;
            if (YTravel(mid) >= t)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
};

// On/off run lengths of the one-pixel pen patterns; empty for a solid line.
std::span<const int> PatternOf(TPenStyle style) {
    static constexpr std::array<int, 2> kDash{18, 6};
    static constexpr std::array<int, 2> kDot{3, 3};
    static constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return kDash;
    case psDot:
        return kDot;
    case psDashDot:
        return kDashDot;
    case psDashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

// True when the pattern draws the pixel at the given distance from its start.
bool PatternOn(std::span<const int> pattern, int64_t position) {
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern)
        period += run;
    int64_t p = position % period;
    for (size_t k = 0; k < pattern.size(); ++k) {
        if (p < pattern[k])
            return k % 2 == 0;
        p -= pattern[k];
    }
    return true;
}

} // namespace

void TCanvas::LineTo(int x, int y) {
    Segment(penPos_, {x, y}, 0);
    penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    int64_t phase = 0;
    for (size_t k = 1; k < points.size(); ++k)
        phase = Segment(points[k - 1], points[k], phase);
}

int64_t TCanvas::Segment(TPoint from, TPoint to, int64_t phase) {
    if (Pen.Style == psClear)
        return phase;
    Box b = ToBitmap(from.x, from.y, to.x, to.y);
    if (Pen.Width > 1) {
        ThickLine(b.Left, b.Top, b.Right, b.Bottom, Pen.Width);
        return phase;
    }
    return ThinLine(b.Left, b.Top, b.Right, b.Bottom, phase);
}

int64_t TCanvas::ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t phase) {
    LinePath path(x0, y0, x1, y1);
    int64_t n = path.Count();
    Box c = ClipBox();
    // Only steps whose major coordinate lies inside the clip can show, which bounds the work.
    int64_t start = path.xMajor ? x0 : y0;
    int64_t dir = path.xMajor ? path.sx : path.sy;
    int64_t lowEdge = path.xMajor ? c.Left : c.Top;
    int64_t highEdge = (path.xMajor ? c.Right : c.Bottom) - 1;
    int64_t first = dir > 0 ? lowEdge - start : start - highEdge;
    int64_t last = dir > 0 ? highEdge - start : start - lowEdge;
    first = std::max<int64_t>(first, 0);
    last = std::min(last, n - 1);
    uint32_t rgb = ColorToRGB(Pen.Color);
    std::span<const int> pattern = PatternOf(Pen.Style);
    for (int64_t i = first; i <= last; ++i)
        if (PatternOn(pattern, phase + i))
            PaintSpan(path.Y(i), path.X(i), path.X(i), rgb, Pen.Mode);
    return phase + n;
}

// A square pen swept along the path covers one interval per row; painting row by row touches
// every pixel once, which keeps pmNot and pmXor right where the squares overlap.
void TCanvas::ThickLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width) {
    LinePath path(x0, y0, x1, y1);
    int64_t n = path.Count();
    if (n == 0)
        return;
    int64_t lo = -(width / 2);
    int64_t hi = lo + width - 1;
    Box c = ClipBox();
    int64_t top = std::max(std::min(y0, path.Y(n - 1)) + lo, c.Top);
    int64_t bottom = std::min(std::max(y0, path.Y(n - 1)) + hi, c.Bottom - 1);
    uint32_t rgb = ColorToRGB(Pen.Color);
    for (int64_t y = top; y <= bottom; ++y) {
        // Steps whose square reaches row y have Y(i) in [y - hi, y - lo].
        int64_t ta = path.sy * (y - hi - y0);
        int64_t tb = path.sy * (y - lo - y0);
        int64_t first = path.FirstStepWithTravel(std::min(ta, tb));
        int64_t last = path.FirstStepWithTravel(std::max(ta, tb) + 1) - 1;
        if (first > last)
            continue;
        int64_t xa = path.X(first);
        int64_t xb = path.X(last);
        PaintSpan(y, std::min(xa, xb) + lo, std::max(xa, xb) + hi, rgb, Pen.Mode);
    }
}
