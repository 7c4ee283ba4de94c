// Speed buttons: clicks, toggle groups with and without AllowAllUp, transparent glyphs.
#include "controls/SpeedButton.hpp"
#include "ControlsFixture.hpp"

namespace {

class SpeedButtonTest : public ControlsTest {
protected:
    SpeedButtonTest() {
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new TSpeedButton(&form);
            buttons[i]->SetParent(&form);
            buttons[i]->SetBounds(10 + 30 * i, 10, 25, 25);
            buttons[i]->OnClick = [this, i](TObject*) { clicks.push_back(i); };
        }
    }
    std::string DownPattern() const {
        std::string s;
        for (TSpeedButton* b : buttons)
            s += b->Down() ? 'D' : '-';
        return s;
    }
    TSpeedButton* buttons[3];
    std::vector<int> clicks;
};

TEST_F(SpeedButtonTest, ClicksLatchButtonsOfAGroup) {
    struct Case {
        bool allowAllUp;
        std::vector<int> clicks;
        const char* downAfter;
    };
    const Case cases[] = {
        {false, {0}, "D--"},   {false, {0, 1}, "-D-"},   {false, {0, 0}, "D--"},
        {true, {0, 0}, "---"}, {true, {0, 2, 2}, "---"}, {true, {1, 2}, "--D"},
    };
    for (const Case& c : cases) {
        for (TSpeedButton* b : buttons) {
            b->SetGroupIndex(1);
            b->SetAllowAllUp(true);
            b->SetDown(false);
            b->SetAllowAllUp(c.allowAllUp);
        }
        clicks.clear();
        std::deque<std::function<void()>> steps;
        for (int i : c.clicks)
            steps.push_back([this, i] { Click(*buttons[i]); });
        Script(std::move(steps));
        form.ShowModal();
        EXPECT_EQ(DownPattern(), c.downAfter) << "allowAllUp " << c.allowAllUp;
        EXPECT_EQ(clicks, c.clicks);
    }
}

TEST_F(SpeedButtonTest, WithoutAGroupNothingLatches) {
    buttons[0]->SetDown(true);
    Run({[&] { Click(*buttons[0]); }});
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_EQ(clicks, std::vector<int>{0});
}

TEST_F(SpeedButtonTest, AReleaseOutsideIsNoClick) {
    Run({[&] {
        Mouse(InputKind::MouseDown, *buttons[0], 5, 5, ssLeft);
        Mouse(InputKind::MouseMove, *buttons[0], 60, 5, ssLeft);
        Mouse(InputKind::MouseUp, *buttons[0], 60, 5);
    }});
    EXPECT_TRUE(clicks.empty());
}

TEST_F(SpeedButtonTest, SettingDownInCodeReleasesTheOthersButNeverForcesAllUp) {
    for (TSpeedButton* b : buttons)
        b->SetGroupIndex(12);
    buttons[0]->SetDown(true);
    buttons[2]->SetDown(true);
    EXPECT_EQ(DownPattern(), "--D");
    buttons[2]->SetDown(false);
    EXPECT_EQ(DownPattern(), "--D");
    buttons[2]->SetAllowAllUp(true);
    buttons[2]->SetDown(false);
    EXPECT_EQ(DownPattern(), "---");
}

TEST_F(SpeedButtonTest, TheGlyphsBottomLeftColourIsTransparent) {
    TBitmap glyph(20, 20);
    glyph.Canvas().Brush.Color = clOlive;
    glyph.Canvas().FillRect({0, 0, 20, 20});
    glyph.Canvas().Brush.Color = clRed;
    glyph.Canvas().FillRect({5, 5, 15, 15});
    buttons[0]->SetFlat(true);
    buttons[0]->SetGlyph(glyph);
    TColor corner = 0, centre = 0;
    Run({[&] {
        corner = PixelAt(*buttons[0], 3, 3);
        centre = PixelAt(*buttons[0], 12, 12);
    }});
    EXPECT_EQ(corner, Rgb(form.Color()));
    EXPECT_EQ(centre, Rgb(clRed));
}

} // namespace
