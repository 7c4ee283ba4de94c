#include "EditorIcon.hpp"

#include "graphics/Canvas.hpp"
#include "graphics/Color.hpp"

TBitmap MakeEditorIcon() {
    constexpr int kSide = 32;
    TBitmap icon(kSide, kSide, pf24bit);
    TCanvas& c = icon.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = RGB(250, 250, 240);
    c.Pen.Color = RGB(0, 0, 128);
    c.Rectangle(0, 0, kSide, kSide);
    // The mesh: three lines each way, bent a little towards the middle.
    c.Pen.Color = RGB(200, 40, 40);
    for (int k = 8; k < kSide; k += 8) {
        c.MoveTo(k, 1);
        c.LineTo(k + (k < 16 ? 1 : k > 16 ? -1 : 0), kSide - 1);
        c.MoveTo(1, k);
        c.LineTo(kSide - 1, k + (k < 16 ? 1 : k > 16 ? -1 : 0));
    }
    // Where the morph starts (a square) and where it ends (a disc), overlapping.
    c.Pen.Color = RGB(0, 0, 128);
    c.Brush.Color = RGB(240, 200, 40);
    c.Rectangle(4, 4, 17, 17);
    c.Brush.Color = RGB(60, 120, 230);
    c.Ellipse(13, 13, 29, 29);
    return icon;
}
