#include "ViewGlyphs.hpp"

namespace {

constexpr int kSide = 16;
constexpr TColor kTransparent = 0xFF00FF; // magenta, also the bottom-left pixel
constexpr TColor kInk = 0x303030;
constexpr TColor kGlass = 0xF0E0C0;

TBitmap Blank() {
    TBitmap glyph(kSide, kSide, pf24bit);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush.Color = kTransparent;
    canvas.FillRect(TRect{0, 0, kSide, kSide});
    return glyph;
}

// A lens at the top left with its handle to the bottom right.
TBitmap Magnifier() {
    TBitmap glyph = Blank();
    TCanvas& canvas = glyph.Canvas();
    canvas.Pen.Color = kInk;
    canvas.Pen.Width = 2;
    canvas.MoveTo(9, 9);
    canvas.LineTo(14, 14);
    canvas.Pen.Width = 1;
    canvas.Brush.Color = kGlass;
    canvas.Ellipse(1, 1, 11, 11);
    return glyph;
}

} // namespace

TBitmap CenterGlyph() {
    TBitmap glyph = Blank();
    TCanvas& canvas = glyph.Canvas();
    canvas.Pen.Color = kInk;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(2, 2, 14, 14);
    canvas.MoveTo(8, 0);
    canvas.LineTo(8, 16);
    canvas.MoveTo(0, 8);
    canvas.LineTo(16, 8);
    glyph.SetPixel(0, kSide - 1, kTransparent);
    return glyph;
}

TBitmap ZoomOutGlyph() {
    TBitmap glyph = Magnifier();
    TCanvas& canvas = glyph.Canvas();
    canvas.Pen.Color = kInk;
    canvas.MoveTo(3, 6);
    canvas.LineTo(9, 6);
    return glyph;
}

TBitmap ZoomInGlyph() {
    TBitmap glyph = ZoomOutGlyph();
    TCanvas& canvas = glyph.Canvas();
    canvas.Pen.Color = kInk;
    canvas.MoveTo(6, 3);
    canvas.LineTo(6, 9);
    return glyph;
}
