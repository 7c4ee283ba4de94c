// TImageView with the headless backend: mouse events, focus, wheel zoom, scroll bars and
// painting at once or not at all under the paint lock.
#include "HeadlessFixture.hpp"
#include "ImageView.hpp"
#include "ViewTestSupport.hpp"

#include "controls/ScrollBar.hpp"

#include <vector>

namespace {

class ImageViewInput : public HeadlessTest {
protected:
    ImageViewInput() {
        form_.SetClientSize(300, 300);
        view_.SetParent(&form_);
        view_.SetBounds(10, 20, 204, 204); // a 2-pixel sunken edge: client 200 x 200
        view_.Assign(Pattern(1000, 800));
    }
    void Run(std::deque<std::function<void()>> steps) {
        Script(std::move(steps));
        form_.ShowModal();
    }
    void Wheel(int delta) {
        InputEvent e;
        e.kind = InputKind::MouseWheel;
        e.window = form_.WindowId();
        e.x = 100;
        e.y = 100;
        e.delta = delta;
        app_->PostInput(e);
    }
    TForm form_{nullptr};
    TImageView view_{&form_};
};

TEST_F(ImageViewInput, MouseEventsComeFirstInClientPixelsAndAPressTakesTheFocus) {
    std::vector<std::string> log;
    view_.OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," +
                      std::to_string(y) + (view_.Focused() ? " focused" : "") +
                      (s == &view_ ? "" : " wrong sender"));
    };
    view_.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    view_.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    };
    bool focused = false;
    Run({[&] {
             Post(InputKind::MouseDown, form_.WindowId(), 12, 22, mbRight);
             Post(InputKind::MouseMove, form_.WindowId(), 50, 60, mbRight);
             Post(InputKind::MouseUp, form_.WindowId(), 50, 60, mbRight);
         },
         [&] { focused = view_.Focused(); }});
    std::vector<std::string> expected = {"down 1 0,0 focused", "move 38,38", "up 1 38,38"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(focused);
}

TEST_F(ImageViewInput, TheWheelZoomsOnlyAfterTheViewHasTheFocus) {
    std::vector<double> zooms;
    Run({[&] { Wheel(120); },
         [&] {
             zooms.push_back(view_.Zoom());
             view_.SetFocus();
             Wheel(120); // away from the user: out, by 8 %
         },
         [&] {
             zooms.push_back(view_.Zoom());
             Wheel(-120); // towards: in, by Nearest(8 * 92 / 100) = 7
         },
         [&] {
             zooms.push_back(view_.Zoom());
             view_.SetZoom(5);
             Wheel(120); // at least one step: 5 -> 4
         },
         [&] { zooms.push_back(view_.Zoom()); }});
    EXPECT_EQ(zooms, (std::vector<double>{100, 92, 99, 4}));
}

TEST_F(ImageViewInput, ScrollBarsStepByLineAndPageAndGoToTheEnds) {
    view_.SetScrollBars(ssBoth);
    TScrollBar* h = view_.HorzScrollBar();
    TScrollBar* v = view_.VertScrollBar();
    ASSERT_TRUE(h && h->Visible() && v && v->Visible());
    int cw = view_.GetClientWidth();
    int maxX, maxY;
    view_.GetMaxViewXY(maxX, maxY);
    EXPECT_EQ(maxX, 1000 - cw);
    std::vector<int> seen;
    Run({[&] {
        h->Scroll(scLineDown);
        seen.push_back(view_.ViewX());
        h->Scroll(scPageDown);
        seen.push_back(view_.ViewX());
        h->Scroll(scLineUp);
        seen.push_back(view_.ViewX());
        h->Scroll(scBottom);
        seen.push_back(view_.ViewX());
        h->Scroll(scTop);
        seen.push_back(view_.ViewX());
        view_.SetZoom(300); // a line is then 3 display pixels
        view_.SetViewX(0);
        h->Scroll(scLineDown);
        seen.push_back(view_.ViewX());
        v->Scroll(scBottom);
        int mx, my;
        view_.GetMaxViewXY(mx, my);
        seen.push_back(view_.ViewY() - my);
    }});
    EXPECT_EQ(seen, (std::vector<int>{1, 1 + cw, cw, maxX, 0, 3, 0}));
}

TEST_F(ImageViewInput, DraggingTheThumbScrollsContinuously) {
    view_.SetScrollBars(ssHorizontal);
    TScrollBar* h = view_.HorzScrollBar();
    ASSERT_TRUE(h && h->Visible());
    std::vector<int> during;
    int thumbStart = 0;
    Run({[&] {
             // The bar lies along the bottom of the client area.
             TPoint origin = h->FormOrigin();
             thumbStart = h->ThumbStart();
             int y = origin.y + TScrollBar::kThickness / 2;
             int x = origin.x + thumbStart + 2;
             Post(InputKind::MouseDown, form_.WindowId(), x, y);
             Post(InputKind::MouseMove, form_.WindowId(), x + 30, y);
             Post(InputKind::MouseMove, form_.WindowId(), x + 60, y);
             Post(InputKind::MouseUp, form_.WindowId(), x + 60, y);
         },
         [&] { during.push_back(view_.ViewX()); }});
    int maxX, maxY;
    view_.GetMaxViewXY(maxX, maxY);
    ASSERT_EQ(during.size(), 1u);
    EXPECT_GT(during[0], 0);
    EXPECT_LE(during[0], maxX);
    // The view follows the thumb: its position maps back through the scale.
    double s = double(view_.GetClientWidth() + maxX) / 65536;
    EXPECT_NEAR(h->Position() * s, during[0], s + 1);
}

TEST_F(ImageViewInput, ScrollingPaintsAtOnceButNotUnderThePaintLock) {
    TColor atOnce = 0, locked = 0, unlockedDirty = 0;
    bool dirtyWhileLocked = true;
    Run({[&] {
             view_.SetViewX(10);
             atOnce = form_.Picture().Pixel(12, 22); // client (0, 0)
             view_.LockPaint();
             view_.SetViewX(20);
             locked = form_.Picture().Pixel(12, 22);
             view_.LockPaint();
             view_.UnLockPaint(); // still locked: no update
         },
         [&] {
             dirtyWhileLocked = form_.Dirty();
             view_.UnLockPaint(); // 0: Update invalidates
             unlockedDirty = form_.Dirty();
         }});
    EXPECT_EQ(atOnce, PatternColour(10, 0));
    EXPECT_EQ(locked, PatternColour(10, 0));
    EXPECT_FALSE(dirtyWhileLocked);
    EXPECT_TRUE(unlockedDirty);
}

} // namespace
