// TCanvas text: coverage from the text renderer blended onto the pixels in the font colour.
#include "graphics/Canvas.hpp"

#include "graphics/PixelAccess.hpp"
#include "graphics/Text.hpp"

#include <algorithm>

namespace {

// fg over bg with coverage a (0..255), rounded, per channel.
uint32_t Blend(uint32_t bg, uint32_t fg, uint32_t a) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t b = bg >> shift & 0xFF, f = fg >> shift & 0xFF;
        out |= ((b * (255 - a) + f * a + 127) / 255) << shift;
    }
    return out;
}

} // namespace

int TCanvas::TextWidth(const std::string& text) const {
    return text_render::TextWidth(Font, text);
}

int TCanvas::TextHeight(const std::string&) const {
    return text_render::CellHeight(Font);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Box c = ClipBox();
    int width = TextWidth(text);
    Box cell = ToBitmap(x, y, int64_t{x} + width, int64_t{y} + TextHeight(text));
    if (Brush.Style == bsSolid)
        PaintBox(cell, ColorToRGB(Brush.Color));
    BlendText(cell.Left, cell.Top, text, c);
    penPos_ = {SaturateToInt32(int64_t{x} + width), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Box limit = ToBitmap(r.Left, r.Top, r.Right, r.Bottom);
    if (Brush.Style == bsSolid)
        PaintBox(limit, ColorToRGB(Brush.Color));
    BlendText(int64_t{x} + origin_.x, int64_t{y} + origin_.y, text, limit);
}

// Draws the text's coverage with its top-left at bitmap (x, y), inside limit and the clip.
void TCanvas::BlendText(int64_t x, int64_t y, const std::string& text, const Box& limit) {
    text_render::Coverage coverage;
    if (!text_render::Render(Font, text, coverage))
        return;
    Box c = ClipBox();
    int64_t left = std::max({x, limit.Left, c.Left});
    int64_t right = std::min({x + coverage.Width, limit.Right, c.Right});
    int64_t top = std::max({y, limit.Top, c.Top});
    int64_t bottom = std::min({y + coverage.Height, limit.Bottom, c.Bottom});
    uint32_t fg = ColorToRGB(Font.Color);
    TPixelFormat pf = target_.PixelFormat();
    for (int64_t by = top; by < bottom; ++by) {
        const uint8_t* alpha = coverage.Alpha.data() + (by - y) * coverage.Width;
        VisibleRuns(by, left, right - 1, [&](int a, int b) {
            uint8_t* row = pixel_access::Row(target_, static_cast<int>(by));
            for (int bx = a; bx <= b; ++bx) {
                uint32_t cover = alpha[bx - x];
                if (cover == 255)
                    pixel_access::Write(row, bx, pf, fg);
                else if (cover != 0)
                    pixel_access::Write(row, bx, pf,
                                        Blend(pixel_access::Read(row, bx, pf), fg, cover));
            }
        });
    }
}
