// Invalidation merged into one paint, and immediate repaints kept under what covers them.
#include "Form.hpp"
#include "HeadlessFixture.hpp"

namespace {

struct Filled : TCustomControl {
    Filled(TComponent* owner, TColor c) : TCustomControl(owner) { SetColor(c); }
    void Paint() override {
        ++paints;
        Canvas().Brush.Color = Color();
        Canvas().FillRect({0, 0, Width(), Height()});
    }
    int paints = 0;
};

using Painting = HeadlessTest;

TEST_F(Painting, ABurstOfInvalidationsCostsOnePaint) {
    TForm form(nullptr);
    form.SetClientSize(50, 50);
    Filled box(&form, clRed);
    box.SetParent(&form);
    box.SetBounds(0, 0, 10, 10);
    int paintsAfterShow = -1, paintsAfterBurst = -1;
    Script({[&] {
                paintsAfterShow = box.paints;
                for (int i = 0; i < 5; ++i)
                    box.Invalidate();
            },
            [&] { paintsAfterBurst = box.paints; }});
    form.ShowModal();
    EXPECT_EQ(paintsAfterShow, 1);
    EXPECT_EQ(paintsAfterBurst, 2);
}

TEST_F(Painting, RepaintDrawsAtOnceButNotOverASiblingInFront) {
    TForm form(nullptr);
    form.SetClientSize(50, 50);
    Filled back(&form, clRed), front(&form, clBlue);
    back.SetParent(&form);
    back.SetBounds(0, 0, 20, 20);
    front.SetParent(&form);
    front.SetBounds(10, 10, 20, 20);
    TColor covered = 0, uncovered = 0;
    Script({[&] {
        form.Picture().Canvas().SetPixels(15, 15, clBlue);
        form.Picture().Canvas().SetPixels(5, 5, clWhite);
        back.Repaint();
        covered = form.Picture().Canvas().Pixels(15, 15);
        uncovered = form.Picture().Canvas().Pixels(5, 5);
    }});
    form.ShowModal();
    EXPECT_EQ(uncovered, clRed);
    EXPECT_EQ(covered, clBlue);
}

// Inside one handler, as a long run does: the panel brought up and later sent
// back shows at once on the backend, and nothing else of the form is painted.
TEST_F(Painting, BringingToFrontAndSendingToBackShowAtOnceInsideAHandler) {
    TForm form(nullptr);
    form.SetClientSize(60, 40);
    Filled method(&form, clRed), progress(&form, clGreen), elsewhere(&form, clWhite);
    Filled bar(&form, clBlue);
    for (Filled* panel : {&progress, &method}) {
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 30, 40);
    }
    bar.SetParent(&progress);
    bar.SetBounds(5, 5, 10, 4);
    elsewhere.SetParent(&form);
    elsewhere.SetBounds(30, 0, 30, 40);
    struct Seen {
        TColor panel, bar;
        int presents, elsewherePaints;
    } up{}, back{};
    auto look = [&] {
        TCanvas& picture = form.Picture().Canvas();
        return Seen{picture.Pixels(20, 20), picture.Pixels(7, 6), backend_->PresentCount(),
                    elsewhere.paints};
    };
    int presentsBefore = 0, elsewhereBefore = 0;
    Script({[&] {
        presentsBefore = backend_->PresentCount();
        elsewhereBefore = elsewhere.paints;
        progress.BringToFront();
        up = look();
        progress.SendToBack();
        back = look();
    }});
    form.ShowModal();
    EXPECT_EQ(up.panel, clGreen);
    EXPECT_EQ(up.bar, clBlue);
    EXPECT_EQ(up.presents, presentsBefore + 1);
    EXPECT_EQ(back.panel, clRed);
    EXPECT_EQ(back.bar, clRed);
    EXPECT_EQ(back.presents, presentsBefore + 2);
    EXPECT_EQ(back.elsewherePaints, elsewhereBefore);
}

TEST_F(Painting, AFormsIconReachesItsWindowWhenMadeAndWhenChanged) {
    TBitmap first(4, 4, pf24bit), second(8, 8, pf24bit);
    first.Canvas().SetPixels(1, 2, clRed);
    second.Canvas().SetPixels(5, 6, clBlue);
    TForm form(nullptr);
    form.SetIcon(first);
    TColor atMaking = 0, afterChange = 0;
    Script({[&] {
        atMaking = backend_->Icon(form.WindowId())->Pixel(1, 2);
        form.SetIcon(second);
        afterChange = backend_->Icon(form.WindowId())->Pixel(5, 6);
    }});
    form.ShowModal();
    EXPECT_EQ(atMaking, clRed);
    EXPECT_EQ(afterChange, clBlue);
}

} // namespace
