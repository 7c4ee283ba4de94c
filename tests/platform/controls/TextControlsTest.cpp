// Labels and static texts fit their text; a right-aligned label keeps its right edge.
#include "ControlsFixture.hpp"
#include "controls/Label.hpp"
#include "controls/StaticText.hpp"

namespace {

using TextControls = ControlsTest;

TEST_F(TextControls, ARightAlignedLabelKeepsItsRightEdge) {
    TLabel label(&form);
    label.SetParent(&form);
    TFont bold = label.Font();
    bold.Bold = true;
    label.SetFont(bold);
    label.SetAlignment(taRightJustify);
    label.SetCaption("1000");
    label.SetLeft(83 - label.Width());
    label.SetTop(5);
    int wide = label.Width();
    label.SetCaption("0");
    EXPECT_LT(label.Width(), wide);
    EXPECT_EQ(label.Left() + label.Width(), 83);
    label.SetCaption("996");
    EXPECT_EQ(label.Left() + label.Width(), 83);
}

TEST_F(TextControls, ALabelFollowsAFontChangedInPlace) {
    TLabel label(&form);
    label.SetParent(&form);
    label.SetCaption("Current frame:");
    int plain = label.Width();
    label.Font().Bold = true;
    Run({[] {}});
    EXPECT_GT(label.Width(), plain);
}

TEST_F(TextControls, TextIsDrawnInTheFontColour) {
    TLabel label(&form);
    label.SetParent(&form);
    label.SetBounds(10, 10, 0, 0);
    label.Font().Color = clRed;
    label.SetCaption("MMMM");
    TStaticText text(&form);
    text.SetParent(&form);
    text.SetBounds(10, 40, 0, 0);
    text.SetCaption("MMMM");
    int red = 0, dark = 0;
    Run({[&] {
        for (int y = 0; y < label.Height(); ++y)
            for (int x = 0; x < label.Width(); ++x)
                red +=
                    GetRValue(PixelAt(label, x, y)) > 200 && GetGValue(PixelAt(label, x, y)) < 90;
        for (int y = 0; y < text.Height(); ++y)
            for (int x = 0; x < text.Width(); ++x)
                dark += Dark(PixelAt(text, x, y));
    }});
    EXPECT_GT(red, 10);
    EXPECT_GT(dark, 10);
}

TEST_F(TextControls, ADoubledAmpersandShowsAsOne) {
    struct Case {
        const char* caption;
        const char* shown;
    };
    for (Case c : {Case{"Move src. && dest. ", "Move src. & dest. "}, Case{"&Open", "Open"},
                   Case{"a&&&b", "a&b"}, Case{"end&", "end"}, Case{"plain", "plain"}})
        EXPECT_EQ(theme::DisplayText(c.caption), c.shown) << c.caption;
    TStaticText one(&form), two(&form);
    one.SetCaption("A && B");
    two.SetCaption("A & B");
    EXPECT_EQ(one.Width(), two.Width() + theme::TextSize(two.Font(), "&&").x);
}

} // namespace
