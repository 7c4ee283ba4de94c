// Panels: bevels take their pixels from the client area, the front one of stacked panels shows.
// Splitters: dragging resizes the neighbour live, within MinSize on both sides.
#include "ControlsFixture.hpp"
#include "controls/Panel.hpp"
#include "controls/Splitter.hpp"

namespace {

using PanelTest = ControlsTest;

TEST_F(PanelTest, BevelsShrinkTheClientArea) {
    struct Case {
        TBevelCut outer, inner;
        int width, inset;
    };
    for (Case c : {Case{bvNone, bvNone, 1, 0}, Case{bvRaised, bvNone, 1, 1},
                   Case{bvRaised, bvLowered, 1, 2}, Case{bvNone, bvLowered, 2, 2}}) {
        TPanel panel(nullptr);
        panel.SetBounds(0, 0, 100, 50);
        panel.SetBevelOuter(c.outer);
        panel.SetBevelInner(c.inner);
        panel.SetBevelWidth(c.width);
        TPanel child(nullptr);
        child.SetParent(&panel);
        child.SetAlign(alClient);
        EXPECT_EQ(child.BoundsRect(), (TRect{0, 0, 100 - 2 * c.inset, 50 - 2 * c.inset}))
            << c.outer << "/" << c.inner;
        EXPECT_EQ(child.FormOrigin(), (TPoint{c.inset, c.inset}));
        child.SetParent(nullptr);
    }
}

TEST_F(PanelTest, OfStackedPanelsTheOneInFrontShows) {
    TPanel holder(&form);
    holder.SetParent(&form);
    holder.SetAlign(alClient);
    TPanel* stack[3];
    TColor colours[3] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        stack[i] = new TPanel(&form);
        stack[i]->SetParent(&holder);
        stack[i]->SetAlign(alClient);
        stack[i]->SetBevelOuter(bvNone);
        stack[i]->SetColor(colours[i]);
    }
    std::vector<TColor> shown;
    auto look = [&] { shown.push_back(PixelAt(holder, 50, 50)); };
    Run({[&] { look(), stack[0]->BringToFront(); }, [&] { look(), stack[1]->BringToFront(); },
         look});
    EXPECT_EQ(stack[0]->BoundsRect(), stack[2]->BoundsRect());
    EXPECT_EQ(shown, (std::vector<TColor>{clBlue, clRed, clLime}));
}

class SplitterTest : public ControlsTest {
protected:
    SplitterTest() : left(&form), splitter(&form), right(&form) {
        form.SetClientSize(400, 200);
        left.SetParent(&form);
        left.SetAlign(alLeft);
        left.SetWidth(150);
        splitter.SetParent(&form);
        splitter.SetLeft(150);
        splitter.SetWidth(8);
        splitter.SetBeveled(true);
        right.SetParent(&form);
        right.SetAlign(alClient);
    }
    TPanel left;
    TSplitter splitter;
    TPanel right;
};

TEST_F(SplitterTest, DraggingResizesTheLeftNeighbourLive) {
    EXPECT_EQ(splitter.Neighbour(), &left);
    EXPECT_EQ(splitter.Cursor(), crHSplit);
    int widthMidDrag = 0, moved = 0;
    splitter.OnMoved = [&](TObject*) { ++moved; };
    Run({[&] {
             Mouse(InputKind::MouseMove, splitter, 4, 50);
             Mouse(InputKind::MouseDown, splitter, 4, 50, ssLeft);
             Mouse(InputKind::MouseMove, splitter, 54, 50, ssLeft);
         },
         [&] {
             widthMidDrag = left.Width();
             // The splitter has moved with the drag; its client coordinates follow it.
             Mouse(InputKind::MouseMove, splitter, 24, 60, ssLeft);
             Mouse(InputKind::MouseUp, splitter, 24, 60);
         }});
    EXPECT_EQ(widthMidDrag, 200);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(left.Width(), 220);
    EXPECT_EQ(splitter.Left(), 220);
    EXPECT_EQ(right.Left(), 228);
    EXPECT_EQ(right.Width(), 400 - 228);
}

TEST_F(SplitterTest, ADragStopsAtMinSizeOnBothSides) {
    splitter.SetMinSize(40);
    int narrowest = 0;
    Run({[&] { Drag(splitter, 4, 50, -500, 50); },
         [&] {
             narrowest = left.Width();
             Drag(splitter, 4, 50, 900, 50);
         }});
    EXPECT_EQ(narrowest, 40);
    EXPECT_EQ(right.Width(), 40);
    EXPECT_EQ(left.Width(), 400 - 8 - 40);
}

} // namespace
