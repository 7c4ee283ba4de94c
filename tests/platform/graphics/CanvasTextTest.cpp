#include "PixelSet.hpp"

#include "graphics/Bitmap.hpp"
#include "graphics/Text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(CanvasText, DrawsAntiAliasedPixelsOfTheFontColourInsideTheCell) {
    TBitmap bmp(120, 40);
    TCanvas& c = bmp.Canvas();
    c.Font.Color = clBlue;
    c.Font.Height = -16;
    c.Brush.Style = bsClear;
    c.TextOut(5, 7, "Hamburg");
    int w = c.TextWidth("Hamburg"), h = c.TextHeight("Hamburg");
    EXPECT_EQ(c.PenPos(), (TPoint{5 + w, 7}));
    PixelSet changed = PixelsNot(bmp, clWhite);
    EXPECT_FALSE(PixelsOf(bmp, clBlue).empty());             // solid glyph cores
    EXPECT_GT(changed.size(), PixelsOf(bmp, clBlue).size()); // blended edges
    for (auto [x, y] : changed) {
        EXPECT_TRUE(x >= 5 && x < 5 + w && y >= 7 && y < 7 + h) << x << "," << y;
        TColor p = bmp.Pixel(x, y);
        EXPECT_EQ(GetRValue(p), GetGValue(p)); // only blends of white and blue
    }
}

TEST(CanvasText, SolidBrushFillsTheCellAndBoldIsWider) {
    TBitmap bmp(200, 40);
    TCanvas& c = bmp.Canvas();
    c.Brush.Color = clYellow;
    c.TextOut(0, 0, "Morph");
    EXPECT_EQ(bmp.Pixel(0, 0), clYellow);
    EXPECT_EQ(bmp.Pixel(c.TextWidth("Morph") - 1, c.TextHeight("M") - 1), clYellow);
    EXPECT_EQ(bmp.Pixel(c.TextWidth("Morph"), 0), clWhite);
    int regular = c.TextWidth("Morph");
    c.Font.Bold = true;
    EXPECT_GT(c.TextWidth("Morph"), regular);
}

TEST(CanvasText, WidthGrowsWithTheTextAndCellHeightWithTheFont) {
    TBitmap bmp(1, 1);
    TCanvas& c = bmp.Canvas();
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_LT(c.TextWidth("a"), c.TextWidth("ab"));
    EXPECT_LT(c.TextWidth("ab"), c.TextWidth("ab cd"));
    c.Font.Height = -11;
    int small = c.TextHeight("x");
    c.Font.Height = -22;
    EXPECT_GT(c.TextHeight("x"), small);
    c.Font.Height = 30; // a positive height is the cell height
    EXPECT_NEAR(c.TextHeight("x"), 30, 1);
    c.TextOut(0, 0, "\xff\xfe broken UTF-8 \xc3");
}

TEST(CanvasText, TextRectClipsToItsRectangle) {
    TBitmap bmp(100, 30);
    TCanvas& c = bmp.Canvas();
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    c.TextRect({10, 0, 20, 30}, 5, 2, "WWWWWW");
    PixelSet changed = PixelsNot(bmp, clWhite);
    EXPECT_FALSE(changed.empty());
    for (auto [x, y] : changed)
        EXPECT_TRUE(x >= 10 && x < 20) << x;
}

TEST(CanvasText, MissingFontFilesSkipTextButStillMeasure) {
    text_render::SetFontFolder("/nonexistent/fonts");
    TBitmap bmp(60, 20);
    TCanvas& c = bmp.Canvas();
    c.Brush.Style = bsClear;
    c.TextOut(0, 0, "text");
    EXPECT_TRUE(PixelsNot(bmp, clWhite).empty());
    EXPECT_GT(c.TextWidth("text"), 0);
    EXPECT_LT(c.TextWidth("text"), c.TextWidth("text, longer"));
    EXPECT_GT(c.TextHeight("text"), 0);
    text_render::SetFontFolder("/usr/share/fonts/truetype/dejavu");
    c.TextOut(0, 0, "text");
    EXPECT_FALSE(PixelsNot(bmp, clWhite).empty());
}

} // namespace
