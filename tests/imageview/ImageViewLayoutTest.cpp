// TImageView: layout, zoom, coordinate conversion, composition, assignment and cursors.
#include "ImageView.hpp"
#include "ViewCursors.hpp"
#include "ViewTestSupport.hpp"

#include "MultiView.hpp"
#include "Screen.hpp"
#include "controls/ScrollBar.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Placed24 = Placed<TImageView>;

TEST(ImageViewLayout, CentredHalfZoomExampleMapsClientCentreToBitmapCentre) {
    Placed24 p(600, 500);
    p.view.Assign(Pattern(400, 300));
    p.view.SetCenter(true);
    p.view.SetZoom(50);
    TBitmap shot = p.Compose();
    EXPECT_EQ(p.view.VisibleWidth(), 200);
    EXPECT_EQ(p.view.VisibleHeight(), 150);
    EXPECT_EQ(p.view.OffsetX(), 200);
    EXPECT_EQ(p.view.OffsetY(), 175);
    EXPECT_EQ(p.view.XScr2Bmp(300), 200);
    EXPECT_EQ(p.view.YScr2Bmp(250), 150);
    EXPECT_EQ(p.view.XBmp2Scr(200), 300);
    EXPECT_EQ(p.view.YBmp2Scr(150), 250);
    EXPECT_EQ(shot.Pixel(200, 175), PatternColour(0, 0));
    EXPECT_EQ(shot.Pixel(300, 250), PatternColour(200, 150));
    EXPECT_EQ(shot.Pixel(399, 324), PatternColour(398, 298));
    EXPECT_EQ(shot.Pixel(199, 175), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.Pixel(400, 324), ColorToRGB(clBtnFace));
}

TEST(ImageViewLayout, CentringGivesTheOddPixelToTheRightAndBottom) {
    Placed24 p(20, 21);
    p.view.Assign(Pattern(11, 10));
    EXPECT_EQ(p.view.OffsetX(), 0);
    EXPECT_EQ(p.view.OffsetY(), 0);
    p.view.SetCenter(true);
    EXPECT_EQ(p.view.OffsetX(), 4); // 4 left, 5 right
    EXPECT_EQ(p.view.OffsetY(), 5); // 5 above, 6 below
}

TEST(ImageViewLayout, AtZoom400ClientColumnsMapByTruncationTowardsZero) {
    Placed24 p(100, 100);
    p.view.Assign(Pattern(100, 100));
    p.view.SetZoom(400);
    p.Compose();
    ASSERT_EQ(p.view.ViewX(), 0);
    ASSERT_EQ(p.view.OffsetX(), 0);
    const std::pair<int, int> cases[] = {{-5, -1}, {-4, -1}, {-3, 0}, {-1, 0}, {0, 0},
                                         {3, 0},   {4, 1},   {7, 1},  {8, 2}};
    for (auto [client, column] : cases)
        EXPECT_EQ(p.view.XScr2Bmp(client), column) << "client x " << client;
    EXPECT_EQ(p.view.XBmp2Scr(1), 4);
}

TEST(ImageViewLayout, RefusedZoomsChangeNothingAndRaiseNoEvent) {
    Placed24 p(100, 100);
    p.view.Assign(Pattern(300, 300));
    p.view.SetViewX(50);
    int events = 0;
    p.view.OnViewChange = [&](TObject*, int) { ++events; };
    for (double z : {0.0, -5.0, 100.0}) {
        p.view.SetZoom(z);
        EXPECT_EQ(p.view.Zoom(), 100.0);
    }
    EXPECT_EQ(p.view.ViewX(), 50);
    EXPECT_EQ(events, 0);
}

TEST(ImageViewLayout, ZoomKeepsThePixelUnderTheCentreAndReportsZoomLast) {
    for (double z : {200.0, 150.0, 37.0, 120.0, 99.0}) {
        SCOPED_TRACE(testing::Message() << "zoom " << z);
        Placed24 p(200, 200);
        p.view.Assign(Pattern(1000, 1000));
        p.view.SetViewX(300);
        p.view.SetViewY(200);
        p.Compose();
        int cx = p.view.XScr2Bmp(100), cy = p.view.YScr2Bmp(100);
        std::vector<int> changes;
        p.view.OnViewChange = [&](TObject*, int change) { changes.push_back(change); };
        p.view.SetZoom(z);
        p.Compose();
        EXPECT_NEAR(p.view.XScr2Bmp(100), cx, 1);
        EXPECT_NEAR(p.view.YScr2Bmp(100), cy, 1);
        ASSERT_FALSE(changes.empty());
        EXPECT_EQ(changes.back(), 1);
    }
}

TEST(ImageViewLayout, ZoomClampsTheNewPositionToTheOldZoomsLimits) {
    Placed24 p(200, 200);
    p.view.Assign(Pattern(1000, 1000));
    p.view.SetViewX(300);
    p.view.SetZoom(800); // the centre would need ViewX 3100; the old limit is 800
    EXPECT_EQ(p.view.ViewX(), 800);
    EXPECT_EQ(p.view.Zoom(), 800);
}

TEST(ImageViewLayout, ZoomingInAnImageThatFitsKeepsTheTopLeft) {
    Placed24 p(200, 200);
    p.view.Assign(Pattern(100, 100));
    p.view.SetZoom(400);
    EXPECT_EQ(p.view.ViewX(), 0);
    EXPECT_EQ(p.view.ViewY(), 0);
    EXPECT_EQ(p.Compose().Pixel(0, 0), PatternColour(0, 0));
}

TEST(ImageViewLayout, ScrollLimitsAreZeroWhenTheImageFitsTheOuterSize) {
    Placed24 p(100, 100);
    p.view.SetBorderStyle(bsSingle);
    p.view.SetBounds(0, 0, 104, 104); // client 100 x 100
    p.view.SetScrollBars(ssBoth);
    p.view.Assign(Pattern(103, 103));
    int maxX = -1, maxY = -1;
    p.view.GetMaxViewXY(maxX, maxY);
    EXPECT_EQ(maxX, 0);
    EXPECT_EQ(maxY, 0);
    EXPECT_TRUE(!p.view.HorzScrollBar() || !p.view.HorzScrollBar()->Visible());
    p.view.Assign(Pattern(300, 300));
    ASSERT_NE(p.view.HorzScrollBar(), nullptr);
    EXPECT_TRUE(p.view.HorzScrollBar()->Visible());
    EXPECT_TRUE(p.view.VertScrollBar()->Visible());
    EXPECT_EQ(p.view.GetClientWidth(), 100 - TScrollBar::kThickness);
    p.view.GetMaxViewXY(maxX, maxY);
    EXPECT_EQ(maxX, 300 - p.view.GetClientWidth());
    p.view.SetScrollBars(ssNone);
    EXPECT_FALSE(p.view.HorzScrollBar()->Visible());
    EXPECT_EQ(p.view.GetClientWidth(), 100);
}

TEST(ImageViewLayout, WithoutAParentTheClientIsFiftyPixels) {
    TImageView view(nullptr);
    EXPECT_EQ(view.GetClientWidth(), 50);
    EXPECT_EQ(view.GetClientHeight(), 50);
    view.Assign(Pattern(20, 10));
    view.SetCenter(true);
    EXPECT_EQ(view.OffsetX(), 15);
    EXPECT_EQ(view.OffsetY(), 20);
    EXPECT_EQ(view.Width(), 105);
    EXPECT_EQ(view.Cursor(), crViewCross3);
}

// Nearest sampling with 14-bit steps, at zooms above, at and below 100, with scrolling.
TEST(ImageViewLayout, CompositionSamplesWithFourteenBitSteps) {
    struct Case {
        double zoom;
        int viewX, viewY;
    };
    const Case cases[] = {{100, 0, 0}, {100, 13, 7},  {50, 0, 0},  {43, 5, 9},
                          {300, 0, 0}, {300, 31, 17}, {250, 7, 3}, {133, 11, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "zoom " << c.zoom << " view " << c.viewX << "," << c.viewY);
        Placed24 p(37, 29);
        p.view.Assign(Pattern(53, 41));
        p.view.SetZoom(c.zoom);
        p.view.SetViewX(c.viewX);
        p.view.SetViewY(c.viewY);
        TBitmap shot = p.Compose();
        const TImageView& v = p.view;
        int64_t sx = static_cast<int64_t>(double(v.SourceWidth()) / v.TargetWidth() * 16384);
        int64_t sy = static_cast<int64_t>(double(v.SourceHeight()) / v.TargetHeight() * 16384);
        for (int i = 0; i < std::min(v.TargetHeight(), 29); ++i)
            for (int j = 0; j < std::min(v.TargetWidth(), 37); ++j) {
                int col = v.SourceX() + static_cast<int>(sx * j / 16384);
                int row = v.SourceY() + static_cast<int>(sy * i / 16384);
                ASSERT_EQ(shot.Pixel(j, i), PatternColour(col, row)) << "at " << j << "," << i;
            }
    }
}

TEST(ImageViewAssign, KeepsOrConvertsFormatsAndCopiesViews) {
    Placed24 p(50, 50);
    TBitmap rgb = Pattern(13, 7);
    p.view.Assign(rgb);
    const TBitmap& own = *p.view.GetFBitmap();
    ASSERT_EQ(own.PixelFormat(), pf24bit);
    EXPECT_EQ(std::memcmp(own.Bits(), rgb.Bits(), rgb.RowStride() * 7), 0);

    TBitmap mono = Pattern(9, 9, pf1bit);
    p.view.Assign(mono);
    EXPECT_EQ(p.view.GetFBitmap()->PixelFormat(), pf1bit);
    EXPECT_EQ(std::memcmp(p.view.GetFBitmap()->Bits(), mono.Bits(), mono.RowStride() * 9), 0);

    TBitmap wide = Pattern(6, 4, pf32bit);
    p.view.Assign(wide);
    EXPECT_EQ(p.view.GetFBitmap()->PixelFormat(), pf24bit);
    EXPECT_EQ(p.view.GetFBitmap()->Pixel(5, 3), PatternColour(5, 3));

    TImageView other(nullptr);
    other.Assign(rgb);
    other.SetBackGround(clYellow);
    other.SetDPI(300, 150);
    int changes = 0;
    p.view.OnImageChange = [&](TObject*) { ++changes; };
    p.view.Assign(&other);
    EXPECT_EQ(p.view.GetFBitmap()->Pixel(12, 6), PatternColour(12, 6));
    EXPECT_EQ(p.view.Background(), clYellow);
    EXPECT_EQ(p.view.DPIX(), 300);
    EXPECT_EQ(p.view.DPIY(), 150);
    EXPECT_EQ(changes, 1);

    TMultiView unrelated(nullptr);
    p.view.Assign(&unrelated); // ignored
    EXPECT_EQ(p.view.GetFBitmap()->Width(), 13);
    EXPECT_EQ(changes, 1);

    p.view.Assign(nullptr); // clears: same size, background colour
    EXPECT_EQ(p.view.GetFBitmap()->Width(), 13);
    EXPECT_EQ(p.view.GetFBitmap()->Pixel(3, 3), clYellow);
}

TEST(ImageViewAssign, BlankShowsOnlyTheBackgroundUntilTheNextAssign) {
    Placed24 p(40, 30);
    p.view.SetBackGround(clTeal);
    p.view.Assign(Pattern(40, 30));
    p.view.Blank();
    TBitmap blank = p.Compose();
    for (auto [x, y] : {std::pair{0, 0}, {39, 29}, {20, 15}})
        EXPECT_EQ(blank.Pixel(x, y), clTeal);
    p.view.Assign(Pattern(40, 30));
    EXPECT_EQ(p.Compose().Pixel(0, 0), PatternColour(0, 0));
}

TEST(ImageViewPaintLock, NeverGoesBelowZero) {
    TImageView view(nullptr);
    view.NPUnLockPaint();
    view.UnLockPaint();
    EXPECT_EQ(view.PaintLock(), 0);
    view.LockPaint();
    view.LockPaint();
    view.UnLockPaint();
    EXPECT_EQ(view.PaintLock(), 1);
    view.NPUnLockPaint();
    EXPECT_EQ(view.PaintLock(), 0);
}

TEST(ViewCursors, EveryViewRegistersEighteenShapesAndTheTwoCrossesAreExact) {
    TImageView view(nullptr);
    for (int id = 1778; id <= 1795; ++id)
        ASSERT_NE(Screen->CursorShape(id), nullptr) << id;
    EXPECT_EQ(kViewCursorNames[6], "CROSS1");
    EXPECT_EQ(kViewCursorNames[7], "CROSS3");
    auto inverts = [](const TCursorShape& s, int x, int y) {
        uint32_t bit = 0x80000000u >> x;
        return (s.andMask[y] & bit) && (s.xorMask[y] & bit);
    };
    auto transparent = [](const TCursorShape& s, int x, int y) {
        uint32_t bit = 0x80000000u >> x;
        return (s.andMask[y] & bit) && !(s.xorMask[y] & bit);
    };
    const TCursorShape& cross1 = *Screen->CursorShape(1784);
    const TCursorShape& cross3 = *Screen->CursorShape(1785);
    for (const TCursorShape* s : {&cross1, &cross3}) {
        EXPECT_EQ(s->hotX, 16);
        EXPECT_EQ(s->hotY, 15);
    }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            bool onCross = (x == 16) != (y == 15);
            bool onSquare = x >= 13 && x <= 19 && y >= 12 && y <= 18 &&
                            (x == 13 || x == 19 || y == 12 || y == 18);
            EXPECT_EQ(inverts(cross1, x, y), onCross) << x << "," << y;
            EXPECT_TRUE(inverts(cross1, x, y) || transparent(cross1, x, y));
            EXPECT_EQ(inverts(cross3, x, y), onCross != onSquare) << x << "," << y;
            EXPECT_TRUE(inverts(cross3, x, y) || transparent(cross3, x, y));
        }
}

} // namespace
