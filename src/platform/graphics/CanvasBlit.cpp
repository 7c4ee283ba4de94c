// TCanvas bitmap drawing: copies and nearest-neighbour scaling from any pixel format.
#include "graphics/Canvas.hpp"

#include "graphics/PixelAccess.hpp"
#include "graphics/WideInt.hpp"

#include <algorithm>
#include <vector>

void TCanvas::Draw(int x, int y, const TBitmap& src) {
    Blit(ToBitmap(x, y, int64_t{x} + src.Width(), int64_t{y} + src.Height()), src,
         {0, 0, src.Width(), src.Height()}, false, 0);
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& src, TColor key) {
    Blit(ToBitmap(x, y, int64_t{x} + src.Width(), int64_t{y} + src.Height()), src,
         {0, 0, src.Width(), src.Height()}, true, ColorToRGB(key));
}

void TCanvas::StretchDraw(const TRect& dst, const TBitmap& src) {
    Blit(ToBitmap(dst.Left, dst.Top, dst.Right, dst.Bottom), src, {0, 0, src.Width(), src.Height()},
         false, 0);
}

void TCanvas::CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect) {
    Blit(ToBitmap(dst.Left, dst.Top, dst.Right, dst.Bottom), src, srcRect, false, 0);
}

// Destination pixel (j, i) from the box's top-left takes source pixel
// (srcRect.Left + j * sw / dw, srcRect.Top + i * sh / dh), rounded down: no filtering.
void TCanvas::Blit(const Box& dst, const TBitmap& src, const TRect& srcRect, bool keyed,
                   uint32_t key) {
    if (&src == &target_) {
        TBitmap copy(src); // drawing a bitmap onto itself must read the pixels as they were
        Blit(dst, copy, srcRect, keyed, key);
        return;
    }
    int64_t dw = dst.Right - dst.Left, dh = dst.Bottom - dst.Top;
    int64_t sw = int64_t{srcRect.Right} - srcRect.Left, sh = int64_t{srcRect.Bottom} - srcRect.Top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Empty())
        return;
    Box c = ClipBox();
    int64_t left = std::max(dst.Left, c.Left), right = std::min(dst.Right, c.Right);
    int64_t top = std::max(dst.Top, c.Top), bottom = std::min(dst.Bottom, c.Bottom);
    if (left >= right || top >= bottom)
        return;
    std::vector<int> columns(static_cast<size_t>(right - left)); // -1: outside src
    for (int64_t x = left; x < right; ++x) {
        int64_t sx = srcRect.Left + MulDivFloor(x - dst.Left, sw, dw);
        columns[x - left] = sx >= 0 && sx < src.Width() ? static_cast<int>(sx) : -1;
    }
    TPixelFormat spf = src.PixelFormat(), dpf = target_.PixelFormat();
    for (int64_t y = top; y < bottom; ++y) {
        int64_t sy = srcRect.Top + MulDivFloor(y - dst.Top, sh, dh);
        if (sy < 0 || sy >= src.Height())
            continue;
        const uint8_t* from = pixel_access::Row(src, static_cast<int>(sy));
        VisibleRuns(y, left, right - 1, [&](int a, int b) {
            uint8_t* to = pixel_access::Row(target_, static_cast<int>(y));
            for (int x = a; x <= b; ++x) {
                int sx = columns[x - left];
                if (sx < 0)
                    continue;
                uint32_t rgb = pixel_access::Read(from, sx, spf);
                if (!keyed || rgb != key)
                    pixel_access::Write(to, x, dpf, rgb);
            }
        });
    }
}
