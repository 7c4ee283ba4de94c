// TVectView: handles and their stability, the object fields, drawing order, selection and
// drawing over the image at the view's zoom.
#include "VectView.hpp"
#include "ViewTestSupport.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VectViewHandles, AreConsecutiveStableAndOnlyTheHighestSlotIsReclaimed) {
    TVectView view(nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.AddNewObject(), i);
        view.SetObjID(i, 100 + i);
    }
    view.RemoveObject(1);
    EXPECT_EQ(view.GetObjID(0), 100);
    EXPECT_EQ(view.GetObjID(2), 102);
    EXPECT_EQ(view.AddNewObject(), 3); // 1 is not reused
    view.RemoveObject(3);
    EXPECT_EQ(view.AddNewObject(), 3); // the highest comes back
    view.RemoveObject(2);
    view.RemoveObject(3);
    EXPECT_EQ(view.AddNewObject(), 3); // only one slot: 2 stays taken
    EXPECT_EQ(view.ObjectCount(), 2);
    EXPECT_EQ(view.GetObjFromIndex(0), 0);
    EXPECT_EQ(view.GetObjFromIndex(1), 3);
    EXPECT_EQ(view.GetObjFromIndex(2), -1);
    EXPECT_EQ(view.GetObjFromIndex(-1), -1);
}

TEST(VectViewHandles, TemplateAndHighestHandlesAndRemovalEvents) {
    TVectView view(nullptr);
    int removed = 0;
    view.OnVectorialChanged = [&](TObject*) { ++removed; };
    view.SetObjPenColor(-1, clRed);
    view.SetObjKind(-1, okBOX);
    int h = view.AddNewObject();
    EXPECT_EQ(view.GetObjPenColor(h), clRed);
    EXPECT_EQ(view.GetObjKind(h), okBOX);
    EXPECT_EQ(view.GetObjStyle(h), 15);
    EXPECT_EQ(view.GetObjBrushStyle(h), bsClear);
    view.AddNewObject();
    view.SetObjID(-2, 77);
    EXPECT_EQ(view.GetObjID(1), 77);
    EXPECT_EQ(removed, 0); // adding raises nothing
    view.RemoveObject(0);
    view.RemoveObject(0); // already gone: refused
    view.RemoveObject(-7);
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(view.GetObjID(-7), 0); // an invalid handle reads as nothing, never crashes
}

TEST(VectViewFields, SizesAndMovesFollowTheInclusiveCorners) {
    TVectView view(nullptr);
    int h = view.AddNewObject();
    view.SetObjWidth(h, 10);
    EXPECT_EQ(view.GetObject(h)->x2, 9);
    EXPECT_EQ(view.GetObjWidth(h), 10);
    view.SetObjLeft(h, 100);
    EXPECT_EQ(view.GetObject(h)->x1, 100);
    EXPECT_EQ(view.GetObject(h)->x2, 109);
    const int widths[] = {0, -3, 1};
    for (int w : widths) {
        view.SetObjWidth(h, w);
        EXPECT_EQ(view.GetObjWidth(h), w);
    }
    view.SetObjHeight(h, 0);
    EXPECT_EQ(view.GetObject(h)->y2, -1);
    view.SetObjTop(h, 5);
    EXPECT_EQ(view.GetObjTop(h), 5);
    EXPECT_EQ(view.GetObjHeight(h), 0);
}

TEST(VectViewSelection, TheHidingLoopEndsAndUnselectableObjectsAreNeverSelected) {
    TVectView view(nullptr);
    const TVectStyle styles[] = {15, 8, 0, 15, 9};
    for (TVectStyle s : styles)
        view.SetObjStyle(view.AddNewObject(), s);
    view.SetObjKind(3, okLINE);
    view.SetObjLeft(3, 50);
    view.SetObjWidth(3, -40); // a line with its corners reversed still lies inside
    view.SetObjLeft(4, -1);   // outside the selectable area
    view.SelAllObjects();
    ASSERT_EQ(view.SelectedCount(), 2);
    EXPECT_EQ(view.GetSelObjects(0), 0);
    EXPECT_EQ(view.GetSelObjects(1), 3);
    view.AddSelObject(1); // not selectable: nothing happens
    EXPECT_EQ(view.SelectedCount(), 2);
    int passes = 0;
    while (view.SelectedCount() > 0 && passes < 10) {
        view.SetObjStyle(view.GetSelObjects(0), 0);
        ++passes;
    }
    EXPECT_EQ(passes, 2);
    view.AddSelObject(4);
    view.AddSelObject(4); // no check for duplicates
    EXPECT_EQ(view.SelectedCount(), 2);
    view.UnSelObject(4);
    EXPECT_EQ(view.SelectedCount(), 1);
    EXPECT_TRUE(view.IsSelObject(4));
    view.UnSelAllObjects();
    EXPECT_FALSE(view.IsSelObject(4));
}

// Objects drawn over a black 60 x 60 image on a 100 x 100 client.
// Lengths of the runs of white pixels along row y.
std::vector<int> WhiteRuns(const TBitmap& shot, int y) {
    std::vector<int> runs;
    int run = 0;
    for (int x = 0; x <= shot.Width(); ++x) {
        if (x < shot.Width() && shot.Pixel(x, y) == clWhite) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

class VectDrawing : public ::testing::Test {
protected:
    VectDrawing() : p(100, 100) {
        TBitmap black(60, 60);
        black.Canvas().Brush.Color = clBlack;
        black.Canvas().FillRect({0, 0, 60, 60});
        p.view.Assign(black);
        p.view.SetBackGround(clGray);
    }
    int Box(int x, int y, int w, int h, TColor fill, TVectStyle style = 8) {
        int b = p.view.AddNewObject();
        p.view.SetObjKind(b, okBOX);
        p.view.SetObjLeft(b, x);
        p.view.SetObjTop(b, y);
        p.view.SetObjWidth(b, w);
        p.view.SetObjHeight(b, h);
        p.view.SetObjPenColor(b, fill);
        p.view.SetObjBrushColor(b, fill);
        p.view.SetObjBrushStyle(b, bsSolid);
        p.view.SetObjStyle(b, style);
        return b;
    }
    Placed<TVectView> p;
};

TEST_F(VectDrawing, ObjectsAreDrawnInListOrderAndReorderingChangesWhatCovers) {
    int red = Box(10, 10, 10, 10, clRed);
    int blue = Box(15, 15, 10, 10, clBlue);
    EXPECT_EQ(p.Compose().Pixel(17, 17), clBlue);
    p.view.SetObjBackTo(blue, -1);
    EXPECT_EQ(p.Compose().Pixel(17, 17), clRed);
    p.view.SetObjFrontOf(blue, red);
    EXPECT_EQ(p.Compose().Pixel(17, 17), clBlue);
    p.view.SetObjBackTo(blue, red);
    EXPECT_EQ(p.Compose().Pixel(17, 17), clRed);
    // The box covers x .. x + w - 1 inclusive.
    TBitmap shot = p.Compose();
    EXPECT_EQ(shot.Pixel(10, 10), clRed);
    EXPECT_EQ(shot.Pixel(19, 12), clRed);
    EXPECT_EQ(shot.Pixel(9, 12), clBlack);
}

TEST_F(VectDrawing, StyleDecidesVisibilityAndSelectability) {
    Box(5, 5, 4, 4, clRed, 0);
    Box(20, 5, 4, 4, clRed, 8);
    p.view.SelAllObjects();
    EXPECT_EQ(p.view.SelectedCount(), 0);
    TBitmap shot = p.Compose();
    EXPECT_EQ(shot.Pixel(6, 6), clBlack);
    EXPECT_EQ(shot.Pixel(21, 6), clRed);
}

TEST_F(VectDrawing, LinesLeaveOutTheEndPixelAndPensScaleWithTheZoom) {
    int line = p.view.AddNewObject();
    p.view.SetObjKind(line, okLINE);
    p.view.SetObjLeft(line, 10);
    p.view.SetObjTop(line, 30);
    p.view.SetObjWidth(line, 11); // x2 = 20
    p.view.SetObjHeight(line, 1); // y2 = 30
    TBitmap shot = p.Compose();
    EXPECT_EQ(shot.Pixel(10, 30), clWhite);
    EXPECT_EQ(shot.Pixel(19, 30), clWhite);
    EXPECT_EQ(shot.Pixel(20, 30), clBlack);

    int box = p.view.AddNewObject();
    p.view.SetObjKind(box, okBOX);
    p.view.SetObjLeft(box, 5);
    p.view.SetObjTop(box, 5);
    p.view.SetObjWidth(box, 10);
    p.view.SetObjHeight(box, 10);
    p.view.SetZoom(200);
    EXPECT_EQ(WhiteRuns(p.Compose(), 20), (std::vector<int>{2, 2}));
    p.view.SetZoomObjectsWidth(false);
    EXPECT_EQ(WhiteRuns(p.Compose(), 20), (std::vector<int>{1, 1}));
}

TEST_F(VectDrawing, ObjectsOffTheShownImageAreCulledOthersDrawnWholeIntoTheMargin) {
    p.view.SetCenter(true);      // the 60 x 60 image sits at 20, 20
    Box(-15, -15, 5, 5, clRed);  // display 5 .. 9: outside the image
    Box(-5, -5, 10, 10, clBlue); // display 15 .. 24: meets the image
    Box(60, 60, 3, 3, clLime);   // display 80 .. 82: touches the far edge, included
    TBitmap shot = p.Compose();
    EXPECT_EQ(shot.Pixel(7, 7), clGray);
    EXPECT_EQ(shot.Pixel(16, 16), clBlue);
    EXPECT_EQ(shot.Pixel(22, 22), clBlue);
    EXPECT_EQ(shot.Pixel(81, 81), clLime);
}

TEST_F(VectDrawing, AssignKeepsObjectsForBitmapsAndCopiesThemFromAnotherVectorView) {
    int h = Box(1, 1, 3, 3, clRed);
    p.view.Assign(Pattern(30, 30));
    EXPECT_EQ(p.view.ObjectCount(), 1);
    EXPECT_EQ(p.view.GetObjBrushColor(h), clRed);
    TVectView other(nullptr);
    other.AddNewObject();
    other.AddNewObject();
    other.SetObjID(1, 9);
    p.view.Assign(&other);
    EXPECT_EQ(p.view.ObjectCount(), 2);
    EXPECT_EQ(p.view.GetObjID(1), 9);
    p.view.Assign(nullptr);
    EXPECT_EQ(p.view.ObjectCount(), 0);
    EXPECT_EQ(p.view.AddNewObject(), 0);
}

} // namespace
