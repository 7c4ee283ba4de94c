#include "graphics/Bitmap.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace {

TEST(Bitmap, RowStrideIsPaddedToFourBytes) {
    struct Case {
        int width;
        TPixelFormat pf;
        int stride;
    };
    const Case cases[] = {
        {1, pf24bit, 4},  {2, pf24bit, 8}, {3, pf24bit, 12}, {4, pf24bit, 12},
        {5, pf24bit, 16}, {1, pf32bit, 4}, {3, pf32bit, 12}, {1, pf1bit, 4},
        {32, pf1bit, 4},  {33, pf1bit, 8}, {0, pf24bit, 0},
    };
    for (const Case& c : cases) {
        TBitmap bmp(c.width, 3, c.pf);
        EXPECT_EQ(bmp.RowStride(), c.stride) << "width " << c.width << " format " << c.pf;
        EXPECT_EQ(bmp.Empty(), c.width == 0);
    }
}

TEST(Bitmap, RowsAreStoredBottomUpInBgrOrder) {
    TBitmap bmp(3, 2);
    bmp.SetPixel(1, 0, RGB(0x11, 0x22, 0x33)); // top row
    bmp.SetPixel(2, 1, RGB(0x44, 0x55, 0x66)); // bottom row
    const uint8_t* bottom = bmp.Bits();
    const uint8_t* top = bmp.Bits() + bmp.RowStride();
    EXPECT_EQ(bmp.ScanLine(1), bottom);
    EXPECT_EQ(bmp.ScanLine(0), top);
    EXPECT_EQ(top[3], 0x33);
    EXPECT_EQ(top[4], 0x22);
    EXPECT_EQ(top[5], 0x11);
    EXPECT_EQ(bottom[6], 0x66);
    EXPECT_EQ(bottom[8], 0x44);
    EXPECT_EQ(bottom[9], 0); // padding stays clear
    EXPECT_THROW(bmp.ScanLine(2), std::out_of_range);
    EXPECT_THROW(bmp.ScanLine(-1), std::out_of_range);

    DIBSECTION ds;
    ASSERT_TRUE(GetDibSection(bmp.Handle(), &ds));
    EXPECT_EQ(ds.BitCount, 24);
    EXPECT_EQ(ds.Width, 3);
    EXPECT_EQ(ds.Height, 2);
    EXPECT_EQ(ds.RowStride, 12);
    EXPECT_EQ(ds.Bits, bmp.Bits());
    TBitmap empty;
    EXPECT_FALSE(GetDibSection(empty.Handle(), &ds));
    EXPECT_FALSE(GetDibSection(nullptr, &ds));
}

TEST(Bitmap, OneBitPixelsAreMostSignificantBitFirst) {
    TBitmap bmp(9, 1, pf1bit);
    EXPECT_EQ(bmp.Pixel(0, 0), clWhite); // new bitmaps are white
    bmp.SetPixel(0, 0, clBlack);
    bmp.SetPixel(8, 0, clNavy);
    EXPECT_EQ(bmp.Bits()[0], 0x7F);
    EXPECT_EQ(bmp.Bits()[1] & 0x80, 0);
    EXPECT_EQ(bmp.Pixel(8, 0), clBlack);
}

TEST(Bitmap, OutOfRangePixelsReadNoneAndIgnoreWrites) {
    TBitmap bmp(2, 2);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
        EXPECT_EQ(bmp.Pixel(x, y), clNone);
        bmp.SetPixel(x, y, clBlack);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(bmp.Pixel(x, y), clWhite);
}

TEST(Bitmap, SetSizeKeepsTopLeftContentAndWhitensNewArea) {
    for (TPixelFormat pf : {pf1bit, pf24bit, pf32bit}) {
        TBitmap bmp(3, 3, pf);
        bmp.SetPixel(0, 0, clBlack);
        bmp.SetPixel(2, 2, clBlack);
        bmp.SetSize(2, 4);
        EXPECT_EQ(bmp.Width(), 2);
        EXPECT_EQ(bmp.Height(), 4);
        EXPECT_EQ(bmp.Pixel(0, 0), clBlack) << "format " << pf;
        EXPECT_EQ(bmp.Pixel(1, 1), clWhite);
        EXPECT_EQ(bmp.Pixel(1, 3), clWhite);
        bmp.SetWidth(4);
        EXPECT_EQ(bmp.Pixel(0, 0), clBlack);
        EXPECT_EQ(bmp.Pixel(3, 0), clWhite);
    }
}

TEST(Bitmap, FormatConversionsRoundTrip) {
    TBitmap bmp(5, 3, pf24bit);
    bmp.SetPixel(0, 0, RGB(1, 2, 3));
    bmp.SetPixel(4, 2, RGB(200, 200, 50));
    bmp.SetPixel(2, 1, clBtnFace); // system colours resolve on write
    TBitmap wide = bmp;
    wide.SetPixelFormat(pf32bit);
    EXPECT_EQ(wide.RowStride(), 20);
    EXPECT_EQ(wide.ScanLine(0)[3], 0); // alpha byte
    wide.SetPixelFormat(pf24bit);
    EXPECT_EQ(0, std::memcmp(wide.Bits(), bmp.Bits(), bmp.RowStride() * 3));
    EXPECT_EQ(bmp.Pixel(2, 1), static_cast<TColor>(ColorToRGB(clBtnFace)));

    // To one bit by luminance: dark becomes black, light white; back to 24 bits exactly so.
    TBitmap mono = bmp;
    mono.SetPixel(1, 1, RGB(0, 0, 255)); // pure blue is dark
    mono.SetPixelFormat(pf1bit);
    mono.SetPixelFormat(pf24bit);
    EXPECT_EQ(mono.Pixel(0, 0), clBlack);
    EXPECT_EQ(mono.Pixel(4, 2), clWhite);
    EXPECT_EQ(mono.Pixel(1, 1), clBlack);
    EXPECT_EQ(mono.Pixel(3, 0), clWhite);
}

TEST(Bitmap, CanvasStaysWithTheObjectThroughCopiesMovesAndResizes) {
    TBitmap bmp(4, 4);
    TCanvas& canvas = bmp.Canvas();
    bmp.SetSize(8, 8);
    EXPECT_EQ(&bmp.Canvas(), &canvas);
    bmp = TBitmap(2, 2, pf32bit);
    EXPECT_EQ(&bmp.Canvas(), &canvas);
    EXPECT_EQ(&canvas.Bitmap(), &bmp);

    TBitmap moved(std::move(bmp));
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(moved.Width(), 2);
    EXPECT_EQ(moved.PixelFormat(), pf32bit);
    EXPECT_NE(&moved.Canvas(), &canvas);
    canvas.SetPixels(0, 0, clBlack); // draws on the now empty bitmap: nothing happens
    EXPECT_EQ(moved.Pixel(0, 0), clWhite);
}

TEST(Bitmap, NegativeSizesAreEmptyAndHugeOnesAreRefused) {
    TBitmap bmp(-3, 5);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Bits(), nullptr);
    EXPECT_THROW(TBitmap(1 << 20, 1 << 20), std::length_error);
}

} // namespace
