// mdSingle drawing: fitting with proportions, centring, gaps, the sunken frame, OnImageDraw,
// the background; selection by click and keys; SetVisibleFrame's refusals.
#include "HeadlessFixture.hpp"
#include "MultiView.hpp"

#include "Form.hpp"

#include <tuple>
#include <vector>

namespace {

constexpr TColor kImage = clRed, kCell = clLime, kBack = clBlue;

TBitmap Solid(int w, int h, TColor c) {
    TBitmap b(w, h, pf24bit);
    b.Canvas().Brush.Color = c;
    b.Canvas().FillRect({0, 0, w, h});
    return b;
}

class SingleFrame : public HeadlessTest {
protected:
    SingleFrame() {
        form_.SetClientSize(400, 200);
        view_.SetParent(&form_);
        view_.SetBorderStyle(bsNone);
        view_.SetBounds(0, 0, 400, 200);
        view_.SetDisplayMode(mdSingle);
        view_.SetStyle(msFlat);
        view_.SetThumbnailsBackground(kCell);
        view_.SetBackGround(kBack);
    }
    // Shows the form once and returns what it painted.
    TBitmap Shot() {
        TBitmap shot;
        Script({[&] { shot = form_.Picture(); }});
        form_.ShowModal();
        return shot;
    }
    TForm form_{nullptr};
    TMultiView view_{&form_};
};

struct FitCase {
    int imageW, imageH, cellW, cellH, upperGap, bottomGap;
    TRect drawn; // where the image lands
};

TEST_F(SingleFrame, TheFrameIsFittedWithItsProportionsAndCentredInTheCell) {
    const FitCase cases[] = {
        {200, 150, 300, 150, 0, 0, {50, 0, 250, 150}},
        {200, 80, 300, 100, 0, 0, {25, 0, 275, 100}},
        {20, 10, 100, 100, 0, 0, {0, 25, 100, 75}},
        {100, 100, 100, 100, 10, 30, {20, 10, 80, 70}},
        {400, 2, 50, 50, 0, 0, {0, 24, 50, 25}}, // never thinner than one pixel
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.imageW << "x" << c.imageH << " in " << c.cellW << "x" << c.cellH);
        view_.Clear();
        view_.SetImage(view_.AppendImage(), Solid(c.imageW, c.imageH, kImage));
        view_.SetThumbWidth(c.cellW);
        view_.SetThumbHeight(c.cellH);
        view_.SetUpperGap(c.upperGap);
        view_.SetBottomGap(c.bottomGap);
        TBitmap shot = Shot();
        int midY = (c.drawn.Top + c.drawn.Bottom) / 2, midX = (c.drawn.Left + c.drawn.Right) / 2;
        EXPECT_EQ(shot.Pixel(c.drawn.Left, midY), kImage);
        EXPECT_EQ(shot.Pixel(c.drawn.Right - 1, midY), kImage);
        EXPECT_EQ(shot.Pixel(midX, c.drawn.Top), kImage);
        EXPECT_EQ(shot.Pixel(midX, c.drawn.Bottom - 1), kImage);
        if (c.drawn.Left > 0) {
            EXPECT_EQ(shot.Pixel(c.drawn.Left - 1, midY), kCell);
        }
        if (c.drawn.Right < c.cellW) {
            EXPECT_EQ(shot.Pixel(c.drawn.Right, midY), kCell);
        }
        if (c.drawn.Top > 0) {
            EXPECT_EQ(shot.Pixel(midX, c.drawn.Top - 1), kCell);
        }
        // Outside the cell: the view's background.
        EXPECT_EQ(shot.Pixel(c.cellW, 0), kBack);
        EXPECT_EQ(shot.Pixel(0, c.cellH), kBack);
    }
}

TEST_F(SingleFrame, SunkenStyleFramesTheImageAndOnImageDrawReportsTheCell) {
    view_.SetStyle(msSunken);
    view_.SetThumbWidth(300);
    view_.SetThumbHeight(150);
    view_.SetImage(view_.AppendImage(), Solid(20, 20, kImage));
    view_.SetImage(view_.AppendImage(), Solid(200, 150, kImage));
    view_.SetVisibleFrame(1);
    std::vector<std::tuple<int, int, int>> events;
    view_.OnImageDraw = [&](TObject* sender, int idx, int left, int top, TCanvas&) {
        EXPECT_EQ(sender, &view_);
        events.emplace_back(idx, left, top);
    };
    TBitmap shot = Shot();
    EXPECT_EQ(shot.Pixel(50, 75), 0x808080);  // left edge
    EXPECT_EQ(shot.Pixel(100, 0), 0x808080);  // top edge
    EXPECT_EQ(shot.Pixel(249, 75), clWhite);  // right edge
    EXPECT_EQ(shot.Pixel(100, 149), clWhite); // bottom edge
    EXPECT_EQ(shot.Pixel(51, 75), kImage);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), std::make_tuple(1, 0, 0));
}

TEST_F(SingleFrame, AnEntryWithoutImageFillsItsCellAndAnEmptyListOnlyTheBackground) {
    view_.SetThumbWidth(100);
    view_.SetThumbHeight(100);
    TBitmap empty = Shot();
    EXPECT_EQ(empty.Pixel(10, 10), kBack);
    view_.AppendImage();
    TBitmap noImage = Shot();
    EXPECT_EQ(noImage.Pixel(10, 10), kCell);
    EXPECT_EQ(noImage.Pixel(150, 10), kBack);
}

TEST_F(SingleFrame, SetVisibleFrameRefusesSameNegativeAndTooLargeWithoutPainting) {
    for (int i = 0; i < 3; ++i)
        view_.SetImage(view_.AppendImage(), Solid(10, 10, kImage));
    view_.SetVisibleFrame(1);
    const int refused[] = {1, -1, 3, 99};
    bool anyDirty = false;
    std::deque<std::function<void()>> steps;
    for (int i : refused)
        steps.push_back([&, i] {
            view_.SetVisibleFrame(i);
            anyDirty = anyDirty || form_.Dirty();
        });
    Script(std::move(steps));
    form_.ShowModal();
    EXPECT_FALSE(anyDirty);
    EXPECT_EQ(view_.VisibleFrame(), 1);
}

TEST_F(SingleFrame, ClicksAndKeysSelectWithoutChangingTheVisibleFrame) {
    view_.SetThumbWidth(100);
    view_.SetThumbHeight(100);
    for (int i = 0; i < 4; ++i)
        view_.SetImage(view_.AppendImage(), Solid(10, 10, kImage));
    view_.SetVisibleFrame(2);
    std::vector<int> selections;
    view_.OnImageSelect = [&](TObject*, int idx) { selections.push_back(idx); };
    bool focused = false;
    auto key = [&](int vk) {
        InputEvent e;
        e.kind = InputKind::KeyDown;
        e.window = form_.WindowId();
        e.key = vk;
        app_->PostInput(e);
    };
    Script({[&] {
                Post(InputKind::MouseDown, form_.WindowId(), 50, 50);
                Post(InputKind::MouseUp, form_.WindowId(), 50, 50);
            },
            [&] {
                focused = view_.Focused();
                key(VK_RIGHT);
                key(VK_HOME);
                key(VK_END);
                key(VK_LEFT);
            }});
    form_.ShowModal();
    EXPECT_TRUE(focused);
    EXPECT_EQ(selections, (std::vector<int>{2, 3, 0, 3, 2}));
    EXPECT_EQ(view_.VisibleFrame(), 2);
}

} // namespace
