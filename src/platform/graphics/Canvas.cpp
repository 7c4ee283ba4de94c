// TCanvas state: origin, clip region, pixel access and the span painter the primitives share.
#include "graphics/Canvas.hpp"

#include "graphics/PixelAccess.hpp"

#include <algorithm>

TCanvas::TCanvas(TBitmap& target) : target_(target) {}

void TCanvas::SetClipRect(const TRect& r) {
    clipSet_ = true;
    clip_ = r;
    excluded_.clear();
}

void TCanvas::ResetClip() {
    clipSet_ = false;
    clip_ = {};
    excluded_.clear();
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    if (!r.IsEmpty())
        excluded_.push_back(ToBitmap(r.Left, r.Top, r.Right, r.Bottom));
}

TRect TCanvas::ClipRect() const {
    Box c = ClipBox();
    if (c.Right <= c.Left || c.Bottom <= c.Top)
        return {};
    return TRect{static_cast<int32_t>(c.Left), static_cast<int32_t>(c.Top),
                 static_cast<int32_t>(c.Right), static_cast<int32_t>(c.Bottom)}
        .Offset(-origin_.x, -origin_.y);
}

// The clip rectangle is intersected with the bitmap at use, so it follows resizes.
TCanvas::Box TCanvas::ClipBox() const {
    Box b{0, 0, target_.Width(), target_.Height()};
    if (clipSet_) {
        b.Left = std::max<int64_t>(b.Left, clip_.Left);
        b.Top = std::max<int64_t>(b.Top, clip_.Top);
        b.Right = std::min<int64_t>(b.Right, clip_.Right);
        b.Bottom = std::min<int64_t>(b.Bottom, clip_.Bottom);
    }
    return b;
}

TCanvas::Box TCanvas::ToBitmap(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    return {left + origin_.x, top + origin_.y, right + origin_.x, bottom + origin_.y};
}

bool TCanvas::Visible(int64_t x, int64_t y) const {
    Box c = ClipBox();
    if (x < c.Left || x >= c.Right || y < c.Top || y >= c.Bottom)
        return false;
    for (const Box& e : excluded_)
        if (x >= e.Left && x < e.Right && y >= e.Top && y < e.Bottom)
            return false;
    return true;
}

void TCanvas::VisibleRuns(int64_t y, int64_t x0, int64_t x1, const RunFunction& run) const {
    Box c = ClipBox();
    if (y < c.Top || y >= c.Bottom)
        return;
    x0 = std::max(x0, c.Left);
    x1 = std::min(x1, c.Right - 1);
    if (x0 > x1)
        return;
    if (excluded_.empty()) {
        run(static_cast<int>(x0), static_cast<int>(x1));
        return;
    }
    // Walk the row left to right, stepping over the excluded intervals that cross it.
    std::vector<std::pair<int64_t, int64_t>> holes;
    for (const Box& e : excluded_)
        if (y >= e.Top && y < e.Bottom && e.Right > x0 && e.Left <= x1)
            holes.emplace_back(e.Left, e.Right);
    std::sort(holes.begin(), holes.end());
    int64_t cursor = x0;
    for (const auto& [left, right] : holes) {
        if (left > cursor)
            run(static_cast<int>(cursor), static_cast<int>(std::min(left - 1, x1)));
        cursor = std::max(cursor, right);
        if (cursor > x1)
            return;
    }
    run(static_cast<int>(cursor), static_cast<int>(x1));
}

void TCanvas::PaintSpan(int64_t y, int64_t x0, int64_t x1, uint32_t rgb, TPenMode mode) {
    VisibleRuns(y, x0, x1, [&](int a, int b) {
        uint8_t* row = pixel_access::Row(target_, static_cast<int>(y));
        TPixelFormat pf = target_.PixelFormat();
        for (int x = a; x <= b; ++x) {
            uint32_t out = rgb;
            if (mode == pmNot)
                out = ~pixel_access::Read(row, x, pf) & 0xFFFFFFu;
            else if (mode == pmXor)
                out = pixel_access::Read(row, x, pf) ^ rgb;
            pixel_access::Write(row, x, pf, out);
        }
    });
}

void TCanvas::PaintBox(const Box& box, uint32_t rgb) {
    Box c = ClipBox();
    for (int64_t y = std::max(box.Top, c.Top); y < std::min(box.Bottom, c.Bottom); ++y)
        PaintSpan(y, box.Left, box.Right - 1, rgb, pmCopy);
}

void TCanvas::FillRect(const TRect& r) {
    if (Brush.Style == bsClear)
        return;
    PaintBox(ToBitmap(r.Left, r.Top, r.Right, r.Bottom), ColorToRGB(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
    if (Brush.Style == bsClear || r.IsEmpty())
        return;
    Box b = ToBitmap(r.Left, r.Top, r.Right, r.Bottom);
    uint32_t rgb = ColorToRGB(Brush.Color);
    PaintBox({b.Left, b.Top, b.Right, b.Top + 1}, rgb);
    if (b.Bottom - b.Top > 1)
        PaintBox({b.Left, b.Bottom - 1, b.Right, b.Bottom}, rgb);
    PaintBox({b.Left, b.Top + 1, b.Left + 1, b.Bottom - 1}, rgb);
    if (b.Right - b.Left > 1)
        PaintBox({b.Right - 1, b.Top + 1, b.Right, b.Bottom - 1}, rgb);
}

TColor TCanvas::Pixels(int x, int y) const {
    int64_t bx = int64_t{x} + origin_.x;
    int64_t by = int64_t{y} + origin_.y;
    if (!Visible(bx, by))
        return clNone;
    return target_.Pixel(static_cast<int>(bx), static_cast<int>(by));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    int64_t bx = int64_t{x} + origin_.x;
    int64_t by = int64_t{y} + origin_.y;
    if (Visible(bx, by))
        target_.SetPixel(static_cast<int>(bx), static_cast<int>(by), color);
}
