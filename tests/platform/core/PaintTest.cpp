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

} // namespace
