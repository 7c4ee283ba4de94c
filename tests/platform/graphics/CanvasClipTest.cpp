#include "PixelSet.hpp"

#include "graphics/Bitmap.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace {

// A 7 x 6 bitmap (row padding of 3 bytes) with the clip set to its inner part.
class ClippedCanvas : public ::testing::Test {
protected:
    static constexpr TRect kInner{1, 1, 6, 5};
    TBitmap bmp{7, 6};
    TCanvas& canvas = bmp.Canvas();

    void SetUp() override {
        canvas.SetClipRect(kInner);
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clRed;
    }
    // True when nothing changed outside the clip and the row padding is still clear.
    bool OutsideUntouched() const {
        for (auto [x, y] : PixelsNot(bmp, clWhite))
            if (!kInner.Contains({x, y}))
                return false;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int k = 21; k < bmp.RowStride(); ++k)
                if (bmp.ScanLine(y)[k] != 0)
                    return false;
        return true;
    }
};

TEST_F(ClippedCanvas, HugeCoordinatesNeverWriteOutside) {
    constexpr int kMin = INT_MIN, kMax = INT_MAX;
    TBitmap source(3, 3, pf32bit);
    const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> draws = {
        {"long line",
         [](TCanvas& c) {
             c.MoveTo(kMin, kMin);
             c.LineTo(kMax, kMax);
         }},
        {"shallow line",
         [](TCanvas& c) {
             c.MoveTo(kMin, 2);
             c.LineTo(kMax, 3);
         }},
        {"thick line",
         [](TCanvas& c) {
             c.Pen.Width = kMax;
             c.MoveTo(kMin, 0);
             c.LineTo(kMax, 9);
         }},
        {"dashed line",
         [](TCanvas& c) {
             c.Pen.Style = psDashDot;
             c.MoveTo(kMax, 3);
             c.LineTo(kMin, 2);
         }},
        {"rectangle",
         [](TCanvas& c) {
             c.Pen.Width = 50;
             c.Rectangle(kMin, kMin, kMax, kMax);
         }},
        {"ellipse", [](TCanvas& c) { c.Ellipse(kMin, kMin, kMax, kMax); }},
        {"thin ellipse", [](TCanvas& c) { c.Ellipse(kMin, 2, kMax, 4); }},
        {"fill",
         [](TCanvas& c) {
             c.FillRect({kMin, kMin, kMax, kMax});
         }},
        {"frame",
         [](TCanvas& c) {
             c.FrameRect({-3, -3, 9, 9});
         }},
        {"text",
         [](TCanvas& c) {
             c.Font.Height = -40;
             c.TextOut(-5, -8, "Wide text");
         }},
        {"text far away",
         [](TCanvas& c) {
             c.TextOut(kMax, kMax, "x");
             c.TextOut(kMin, kMin, "x");
         }},
        {"stretch",
         [&](TCanvas& c) {
             c.StretchDraw({kMin, kMin, kMax, kMax}, source);
         }},
        {"copy",
         [&](TCanvas& c) {
             c.CopyRect({-2, -2, 9, 9}, source, {kMin, kMin, kMax, kMax});
         }},
        {"draw", [&](TCanvas& c) { c.Draw(-1, 4, source); }},
        {"pixels",
         [](TCanvas& c) {
             c.SetPixels(0, 0, clBlack);
             c.SetPixels(kMax, kMin, clBlack);
         }},
    };
    for (const auto& [name, draw] : draws) {
        for (TPoint origin : {TPoint{0, 0}, TPoint{kMax, kMin}, TPoint{-3, 2}}) {
            bmp = TBitmap(7, 6);
            canvas.Pen = TPen{};
            canvas.SetOrigin(origin.x, origin.y);
            draw(canvas);
            EXPECT_TRUE(OutsideUntouched())
                << name << " with origin " << origin.x << "," << origin.y;
        }
    }
    // The fill at origin (0, 0) reached all of the inner part.
    bmp = TBitmap(7, 6);
    canvas.SetOrigin(0, 0);
    canvas.FillRect({kMin, kMin, kMax, kMax});
    EXPECT_EQ(PixelsOf(bmp, clRed).size(), 20u);
}

TEST_F(ClippedCanvas, ExcludedRectangleStaysAHoleUntilTheClipIsSetAgain) {
    canvas.SetOrigin(1, 0);
    canvas.ExcludeClipRect({1, 2, 3, 4}); // logical: bitmap columns 2..3, rows 2..3
    canvas.FillRect({-10, -10, 10, 10});
    PixelSet hole{{2, 2}, {3, 2}, {2, 3}, {3, 3}};
    for (auto p : hole)
        EXPECT_EQ(bmp.Pixel(p.first, p.second), clWhite);
    EXPECT_EQ(PixelsOf(bmp, clRed).size(), 20u - hole.size());
    EXPECT_EQ(canvas.Pixels(1, 2), clNone); // reading inside the hole
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 1, 5, 5}));

    canvas.SetClipRect(kInner);
    canvas.FillRect({-10, -10, 10, 10});
    EXPECT_EQ(PixelsOf(bmp, clRed).size(), 20u);
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 7, 6}));
    canvas.FillRect({0, 0, 7, 6});
    EXPECT_TRUE(PixelsNot(bmp, clRed).empty());
}

TEST_F(ClippedCanvas, OriginShiftsEveryPrimitive) {
    canvas.ResetClip();
    canvas.SetOrigin(2, 1);
    EXPECT_EQ(canvas.Origin(), (TPoint{2, 1}));
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    canvas.SetPixels(0, 2, clBlue);
    EXPECT_EQ(PixelsOf(bmp, clBlack), (PixelSet{{2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(bmp.Pixel(2, 3), clBlue);
    EXPECT_EQ(canvas.Pixels(0, 2), clBlue);
    EXPECT_EQ(canvas.Pixels(-3, 0), clNone); // outside the bitmap
}

TEST(CanvasClip, ClipFollowsTheBitmapWhenItResizes) {
    TBitmap bmp(4, 4);
    TCanvas& c = bmp.Canvas();
    c.SetClipRect({2, 0, 100, 100});
    EXPECT_EQ(c.ClipRect(), (TRect{2, 0, 4, 4}));
    bmp.SetSize(8, 3);
    EXPECT_EQ(c.ClipRect(), (TRect{2, 0, 8, 3}));
    c.Brush.Color = clBlack;
    c.FillRect({0, 0, 8, 3});
    EXPECT_EQ(PixelsOf(bmp, clBlack).size(), 18u);
}

} // namespace
