#include "PixelSet.hpp"

#include "graphics/Bitmap.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

TEST(CanvasLine, LeavesOutTheEndPixel) {
    struct Case {
        TPoint from, to;
        PixelSet expected;
    };
    const Case cases[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {{5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {{2, 0}, {2, 4}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},
        {{2, 4}, {2, 0}, {{2, 4}, {2, 3}, {2, 2}, {2, 1}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{0, 4}, {4, 0}, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
        {{2, 2}, {2, 2}, {}},
    };
    for (const Case& c : cases) {
        TBitmap bmp(8, 8);
        bmp.Canvas().MoveTo(c.from.x, c.from.y);
        bmp.Canvas().LineTo(c.to.x, c.to.y);
        EXPECT_EQ(PixelsOf(bmp, clBlack), c.expected)
            << "(" << c.from.x << "," << c.from.y << ")-(" << c.to.x << "," << c.to.y << ")";
        EXPECT_EQ(bmp.Canvas().PenPos(), c.to);
    }
}

TEST(CanvasLine, AnySlopeGivesOnePixelPerMajorStepNearTheIdealLine) {
    std::srand(7);
    for (int trial = 0; trial < 200; ++trial) {
        TPoint a{std::rand() % 20, std::rand() % 20}, b{std::rand() % 20, std::rand() % 20};
        TBitmap bmp(20, 20);
        bmp.Canvas().MoveTo(a.x, a.y);
        bmp.Canvas().LineTo(b.x, b.y);
        PixelSet drawn = PixelsOf(bmp, clBlack);
        int dx = b.x - a.x, dy = b.y - a.y, n = std::max(std::abs(dx), std::abs(dy));
        ASSERT_EQ(static_cast<int>(drawn.size()), n);
        if (n == 0)
            continue;
        EXPECT_TRUE(drawn.count({a.x, a.y}));
        EXPECT_FALSE(drawn.count({b.x, b.y}));
        for (auto [x, y] : drawn) {
            // Distance from the ideal line along the minor axis stays within half a pixel.
            double t = std::abs(dx) >= std::abs(dy) ? double(x - a.x) / dx : double(y - a.y) / dy;
            double off = std::abs(dx) >= std::abs(dy) ? y - (a.y + t * dy) : x - (a.x + t * dx);
            EXPECT_LE(std::abs(off), 0.5) << "pixel " << x << "," << y;
        }
    }
}

TEST(CanvasLine, DotPatternAndThickPen) {
    TBitmap bmp(16, 10);
    TCanvas& c = bmp.Canvas();
    c.Pen.Style = psDot;
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    PixelSet dots;
    for (int x : {0, 1, 2, 6, 7, 8})
        dots.insert({x, 0});
    EXPECT_EQ(PixelsOf(bmp, clBlack), dots);

    TBitmap thick(16, 10);
    thick.Canvas().Pen.Width = 3;
    thick.Canvas().MoveTo(2, 5);
    thick.Canvas().LineTo(8, 5);
    PixelSet band;
    for (int y = 4; y <= 6; ++y)
        for (int x = 1; x <= 8; ++x)
            band.insert({x, y});
    EXPECT_EQ(PixelsOf(thick, clBlack), band);
}

TEST(CanvasRectangle, OutlinesWithThePenAndFillsWithTheBrush) {
    struct Case {
        const char* name;
        TPenStyle style;
        int width;
        TBrushStyle brush;
        int penFrom, penTo;   // pen columns/rows at the near side, inclusive
        int fillFrom, fillTo; // brush interior, inclusive
    };
    // All draw Rectangle(2, 2, 12, 12) on a 16 x 16 white bitmap.
    const Case cases[] = {
        {"thin", psSolid, 1, bsSolid, 2, 2, 3, 10},
        {"thick centred", psSolid, 3, bsSolid, 1, 3, 4, 9},
        {"thick inside frame", psInsideFrame, 3, bsSolid, 2, 4, 5, 8},
        {"clear pen", psClear, 1, bsSolid, 0, -1, 2, 11},
        {"clear brush", psSolid, 1, bsClear, 2, 2, 3, 10},
    };
    for (const Case& k : cases) {
        TBitmap bmp(16, 16);
        TCanvas& c = bmp.Canvas();
        c.Pen.Style = k.style;
        c.Pen.Width = k.width;
        c.Brush.Style = k.brush;
        c.Brush.Color = clRed;
        c.Rectangle(2, 2, 12, 12);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                // Distance inwards from the outline's outer edge, measured on the nearer side.
                int mx = std::min(x, 13 - x), my = std::min(y, 13 - y), m = std::min(mx, my);
                TColor want = clWhite;
                if (m >= k.penFrom && m <= k.penTo)
                    want = clBlack;
                else if (m >= k.fillFrom && m <= k.fillTo && k.brush == bsSolid)
                    want = clRed;
                ASSERT_EQ(bmp.Pixel(x, y), want) << k.name << " at " << x << "," << y;
            }
    }
}

TEST(CanvasRectangle, ZeroToTenCoversPixelsZeroToNine) {
    TBitmap bmp(12, 12);
    bmp.Canvas().Brush.Style = bsClear;
    bmp.Canvas().Rectangle(10, 10, 0, 0); // corners in either order
    PixelSet outline;
    for (int i = 0; i < 10; ++i)
        outline.insert({{i, 0}, {i, 9}, {0, i}, {9, i}});
    EXPECT_EQ(PixelsOf(bmp, clBlack), outline);
}

TEST(CanvasEllipse, SmallBoxesAreCoveredExactly) {
    struct Case {
        TRect box;
        size_t pixels;
    };
    const Case cases[] = {
        {{0, 0, 1, 1}, 1}, {{0, 0, 2, 2}, 4}, {{0, 0, 1, 5}, 5}, {{0, 0, 0, 5}, 0}};
    for (const Case& k : cases) {
        TBitmap bmp(8, 8);
        bmp.Canvas().Ellipse(k.box);
        EXPECT_EQ(PixelsNot(bmp, clWhite).size(), k.pixels) << k.box.Right << "x" << k.box.Bottom;
    }
}

TEST(CanvasEllipse, IsInscribedSymmetricAndClosed) {
    for (int size : {5, 10, 17}) {
        TBitmap bmp(size + 4, size + 4);
        TCanvas& c = bmp.Canvas();
        c.Brush.Color = clRed;
        c.Ellipse(2, 2, 2 + size, 2 + size);
        PixelSet outline = PixelsOf(bmp, clBlack);
        int lo = 2, hi = 1 + size;
        for (auto [x, y] : PixelsNot(bmp, clWhite)) {
            EXPECT_TRUE(x >= lo && x <= hi && y >= lo && y <= hi) << x << "," << y;
            EXPECT_EQ(bmp.Pixel(lo + hi - x, y), bmp.Pixel(x, y));
            EXPECT_EQ(bmp.Pixel(x, lo + hi - y), bmp.Pixel(x, y));
        }
        for (int edge : {lo, hi}) {
            EXPECT_TRUE(bmp.Pixel(edge, (lo + hi) / 2) == clBlack);
            EXPECT_TRUE(bmp.Pixel((lo + hi) / 2, edge) == clBlack);
        }
        EXPECT_EQ(bmp.Pixel(lo, lo), clWhite);
        EXPECT_EQ(bmp.Pixel((lo + hi) / 2, (lo + hi) / 2), clRed);
        // A closed one-pixel outline: every outline pixel has two outline neighbours.
        for (auto [x, y] : outline) {
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx || dy) && outline.count({x + dx, y + dy});
            EXPECT_GE(neighbours, 2) << "size " << size << " at " << x << "," << y;
        }
        // The brush never touches the outside: every red pixel's 4-neighbours are drawn.
        for (auto [x, y] : PixelsOf(bmp, clRed))
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                EXPECT_NE(bmp.Pixel(x + dx, y + dy), clWhite);
    }
}

// Inverting must touch every pixel of a figure exactly once: the black pixels of pmNot on
// white equal those of pmCopy in black, and a second pmNot restores white.
TEST(CanvasPenMode, NotInvertsEachPixelOfAFigureOnce) {
    struct Case {
        const char* name;
        int width;
        TPenStyle style;
        std::function<void(TCanvas&)> draw;
    };
    auto line = [](TCanvas& c) {
        c.MoveTo(1, 2);
        c.LineTo(17, 11);
    };
    auto steep = [](TCanvas& c) {
        c.MoveTo(15, 1);
        c.LineTo(4, 18);
    };
    auto rect = [](TCanvas& c) { c.Rectangle(3, 3, 15, 12); };
    auto ellipse = [](TCanvas& c) { c.Ellipse(2, 3, 18, 15); };
    const Case cases[] = {
        {"thin line", 1, psSolid, line},
        {"thick line", 4, psSolid, line},
        {"thick steep line", 5, psSolid, steep},
        {"dashed rectangle", 1, psDash, rect},
        {"wide rectangle", 3, psSolid, rect},
        {"ellipse", 1, psSolid, ellipse},
        {"wide ellipse", 4, psSolid, ellipse},
        {"inside-frame ellipse", 3, psInsideFrame, ellipse},
    };
    for (const Case& k : cases) {
        auto render = [&](TPenMode mode, TBitmap& bmp) {
            TCanvas& c = bmp.Canvas();
            c.Pen.Width = k.width;
            c.Pen.Style = k.style;
            c.Pen.Mode = mode;
            c.Brush.Style = bsClear;
            k.draw(c);
        };
        TBitmap copied(20, 20), inverted(20, 20);
        render(pmCopy, copied);
        render(pmNot, inverted);
        EXPECT_FALSE(PixelsOf(copied, clBlack).empty()) << k.name;
        EXPECT_EQ(PixelsOf(inverted, clBlack), PixelsOf(copied, clBlack)) << k.name;
        render(pmNot, inverted);
        EXPECT_TRUE(PixelsNot(inverted, clWhite).empty()) << k.name;
    }
}

TEST(CanvasPenMode, XorCombinesWithThePenColour) {
    TBitmap bmp(6, 3);
    TCanvas& c = bmp.Canvas();
    c.Pen.Mode = pmXor;
    c.Pen.Color = clRed;
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(bmp.Pixel(2, 1), clAqua); // white ^ red
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_TRUE(PixelsNot(bmp, clWhite).empty());
}

TEST(CanvasOneBit, ColoursBecomeBlackOrWhiteByLuminance) {
    TBitmap bmp(6, 6, pf1bit);
    TCanvas& c = bmp.Canvas();
    c.Brush.Color = clBlack;
    c.FillRect({0, 0, 6, 6});
    c.Pen.Color = clNavy;     // dark
    c.Brush.Color = clYellow; // light
    c.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(bmp.Pixel(0, 0), clBlack);
    EXPECT_EQ(bmp.Pixel(2, 2), clWhite);
    EXPECT_EQ(bmp.Pixel(5, 5), clBlack);
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 5);
    c.LineTo(6, 5);
    EXPECT_EQ(PixelsOf(bmp, clWhite).size(), 9u + 6u);
}

} // namespace
