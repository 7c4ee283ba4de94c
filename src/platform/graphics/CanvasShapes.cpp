// TCanvas rectangles and ellipses: each row is split into brush and pen intervals.
#include "graphics/Canvas.hpp"

#include "graphics/WideInt.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

using Span = std::pair<int64_t, int64_t>; // first and last column, inclusive

// Sides below this make the ellipse test exact in 128 bits; larger ones use long double.
constexpr int64_t kExactSide = int64_t{1} << 31;

// True when the pixel centre at doubled offsets (u, v) from the centre of a w x h box lies in
// the inscribed ellipse: (u / w)^2 + (v / h)^2 <= 1.
bool InsideEllipse(int64_t u, int64_t v, int64_t w, int64_t h) {
    if (w < kExactSide && h < kExactSide) {
        UInt128 uu = static_cast<UInt128>(u * u), vv = static_cast<UInt128>(v * v);
        UInt128 ww = static_cast<UInt128>(w * w), hh = static_cast<UInt128>(h * h);
        return uu * hh + vv * ww <= ww * hh;
    }
    long double fu = static_cast<long double>(u) / w, fv = static_cast<long double>(v) / h;
    return fu * fu + fv * fv <= 1.0L;
}

// The columns of row y inside the ellipse inscribed in the box; pixel centres decide.
std::optional<Span> EllipseRow(int64_t left, int64_t top, int64_t right, int64_t bottom,
                               int64_t y) {
    int64_t w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0 || y < top || y >= bottom)
        return std::nullopt;
    // Doubled offsets from the box centre keep half-pixel centres integral.
    int64_t v = 2 * y + 1 - (top + bottom);
    long double share =
        1.0L - (static_cast<long double>(v) / h) * (static_cast<long double>(v) / h);
    int64_t u = static_cast<int64_t>(w * std::sqrt(std::max(share, 0.0L)));
    int64_t parity = (w + 1) & 1; // u = 2x + 1 - (left + right) has the parity of w + 1
    if ((u & 1) != parity)
        --u;
    while (InsideEllipse(u + 2, v, w, h))
        u += 2;
    while (u >= 0 && !InsideEllipse(u, v, w, h))
        u -= 2;
    if (u < 0)
        return std::nullopt;
    return Span{(-u - 1 + left + right) / 2, (u - 1 + left + right) / 2};
}

// One row of a rectangle or ellipse region.
struct ShapeRegion {
    bool ellipse;
    int64_t left, top, right, bottom;

    std::optional<Span> Row(int64_t y) const {
        if (ellipse)
            return EllipseRow(left, top, right, bottom, y);
        if (y < top || y >= bottom || right <= left)
            return std::nullopt;
        return Span{left, right - 1};
    }
    // Pixels of row y whose four neighbours all lie in the region.
    std::optional<Span> InteriorRow(int64_t y) const {
        auto here = Row(y), above = Row(y - 1), below = Row(y + 1);
        if (!here || !above || !below)
            return std::nullopt;
        Span s{std::max({here->first + 1, above->first, below->first}),
               std::min({here->second - 1, above->second, below->second})};
        if (s.first > s.second)
            return std::nullopt;
        return s;
    }
};

} // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Box b = ToBitmap(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    bool patterned = Pen.Style != psSolid && Pen.Style != psInsideFrame && Pen.Style != psClear;
    // A patterned one-pixel outline follows the four sides as one path; the corners are drawn
    // once each because every side leaves out its end pixel.
    if (patterned && Pen.Width <= 1 && b.Right - b.Left > 1 && b.Bottom - b.Top > 1) {
        if (Brush.Style == bsSolid)
            PaintBox({b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1}, ColorToRGB(Brush.Color));
        int64_t phase = 0;
        const int64_t corners[5][2] = {{b.Left, b.Top},
                                       {b.Right - 1, b.Top},
                                       {b.Right - 1, b.Bottom - 1},
                                       {b.Left, b.Bottom - 1},
                                       {b.Left, b.Top}};
        for (int k = 1; k < 5; ++k)
            phase =
                ThinLine(corners[k - 1][0], corners[k - 1][1], corners[k][0], corners[k][1], phase);
        return;
    }
    Shape(b, false);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Shape(ToBitmap(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)), true);
}

// The pen covers the region of the box grown by the pen's reach, less the interior of the box
// shrunk by it: a one-pixel pen gives exactly the boundary pixels of the box's region. The
// brush fills that interior; with psClear it fills the whole region of the box.
void TCanvas::Shape(const Box& box, bool ellipse) {
    bool pen = Pen.Style != psClear;
    int64_t width = std::max(Pen.Width, 1);
    int64_t lo = -(width / 2), hi = lo + width - 1;
    if (Pen.Style == psInsideFrame) {
        lo = 0;
        hi = width - 1;
    }
    ShapeRegion outer{ellipse, box.Left, box.Top, box.Right, box.Bottom};
    ShapeRegion inner = outer;
    if (pen && Pen.Style == psInsideFrame) {
        inner = {ellipse, box.Left + hi, box.Top + hi, box.Right - hi, box.Bottom - hi};
    } else if (pen) {
        outer = {ellipse, box.Left + lo, box.Top + lo, box.Right + hi, box.Bottom + hi};
        inner = {ellipse, box.Left + hi, box.Top + hi, box.Right + lo, box.Bottom + lo};
    }
    uint32_t penRgb = ColorToRGB(Pen.Color);
    uint32_t brushRgb = ColorToRGB(Brush.Color);
    bool fill = Brush.Style == bsSolid;
    Box c = ClipBox();
    int64_t top = std::max(outer.top, c.Top), bottom = std::min(outer.bottom, c.Bottom);
    for (int64_t y = top; y < bottom; ++y) {
        std::optional<Span> all = outer.Row(y);
        if (!all)
            continue;
        std::optional<Span> core = pen ? inner.InteriorRow(y) : all;
        if (core) {
            core->first = std::max(core->first, all->first);
            core->second = std::min(core->second, all->second);
        }
        if (core && core->first > core->second)
            core.reset();
        if (fill && core)
            PaintSpan(y, core->first, core->second, brushRgb, pmCopy);
        if (!pen)
            continue;
        if (!core) {
            PaintSpan(y, all->first, all->second, penRgb, Pen.Mode);
            continue;
        }
        if (all->first < core->first)
            PaintSpan(y, all->first, core->first - 1, penRgb, Pen.Mode);
        if (core->second < all->second)
            PaintSpan(y, core->second + 1, all->second, penRgb, Pen.Mode);
    }
}
