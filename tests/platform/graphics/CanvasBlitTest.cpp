#include "PixelSet.hpp"

#include "graphics/Bitmap.hpp"

#include <gtest/gtest.h>

namespace {

// A w x h bitmap whose every pixel has its own colour.
TBitmap Numbered(int w, int h, TPixelFormat pf = pf24bit) {
    TBitmap bmp(w, h, pf);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, RGB(static_cast<uint8_t>(10 + x), static_cast<uint8_t>(20 + y), 99));
    return bmp;
}

TEST(CanvasBlit, StretchDrawRepeatsAndDropsPixelsWithoutFiltering) {
    struct Case {
        int srcW, srcH, dstW, dstH;
    };
    const Case cases[] = {{2, 2, 4, 4}, {3, 2, 7, 5}, {4, 4, 2, 2}, {5, 3, 3, 7}, {1, 1, 3, 2}};
    for (const Case& k : cases) {
        TBitmap src = Numbered(k.srcW, k.srcH);
        TBitmap dst(k.dstW + 2, k.dstH + 2);
        dst.Canvas().StretchDraw({1, 1, 1 + k.dstW, 1 + k.dstH}, src);
        for (int y = 0; y < k.dstH; ++y)
            for (int x = 0; x < k.dstW; ++x)
                ASSERT_EQ(dst.Pixel(1 + x, 1 + y),
                          src.Pixel(x * k.srcW / k.dstW, y * k.srcH / k.dstH))
                    << k.srcW << "x" << k.srcH << " -> " << k.dstW << "x" << k.dstH << " at " << x
                    << "," << y;
        EXPECT_EQ(PixelsNot(dst, clWhite).size(), size_t(k.dstW * k.dstH));
    }
}

TEST(CanvasBlit, EveryPixelFormatDrawsTheSameColours) {
    TBitmap reference = Numbered(3, 2);
    for (TPixelFormat pf : {pf24bit, pf32bit}) {
        TBitmap src = Numbered(3, 2, pf);
        TBitmap dst(3, 2, pf32bit);
        dst.Canvas().Draw(0, 0, src);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(dst.Pixel(x, y), reference.Pixel(x, y));
    }
    TBitmap mono(2, 1, pf1bit);
    mono.SetPixel(0, 0, clBlack);
    TBitmap dst(4, 1);
    dst.Canvas().StretchDraw({0, 0, 4, 1}, mono);
    EXPECT_EQ(PixelsOf(dst, clBlack), (PixelSet{{0, 0}, {1, 0}}));
}

TEST(CanvasBlit, DrawTransparentSkipsTheKeyColour) {
    TBitmap glyph(3, 1);
    glyph.SetPixel(0, 0, clFuchsia);
    glyph.SetPixel(1, 0, clNavy);
    glyph.SetPixel(2, 0, clFuchsia);
    TBitmap dst(5, 1);
    dst.Canvas().Brush.Color = clGreen;
    dst.Canvas().FillRect({0, 0, 5, 1});
    dst.Canvas().DrawTransparent(1, 0, glyph, clFuchsia);
    EXPECT_EQ(dst.Pixel(1, 0), clGreen);
    EXPECT_EQ(dst.Pixel(2, 0), clNavy);
    EXPECT_EQ(dst.Pixel(3, 0), clGreen);
}

TEST(CanvasBlit, CopyRectTakesPartOfTheSourceAndSkipsWhatLiesOutsideIt) {
    TBitmap src = Numbered(4, 4);
    TBitmap dst(4, 4);
    dst.Canvas().CopyRect({0, 0, 4, 4}, src, {2, 2, 6, 6});
    EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(2, 2));
    EXPECT_EQ(dst.Pixel(1, 1), src.Pixel(3, 3));
    EXPECT_EQ(dst.Pixel(2, 2), clWhite); // source (4, 4) does not exist
    EXPECT_EQ(PixelsNot(dst, clWhite).size(), 4u);
}

TEST(CanvasBlit, DrawingABitmapOntoItselfReadsTheOriginalPixels) {
    TBitmap bmp = Numbered(4, 1);
    TBitmap before = bmp;
    bmp.Canvas().Draw(1, 0, bmp);
    EXPECT_EQ(bmp.Pixel(0, 0), before.Pixel(0, 0));
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(bmp.Pixel(x, 0), before.Pixel(x - 1, 0));
}

} // namespace
