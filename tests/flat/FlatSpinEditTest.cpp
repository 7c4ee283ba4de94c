// The spin edit's value rules, its stepping and typing, and a field small enough for the editor.
#include "FlatSpinEdit.hpp"
#include "ControlsFixture.hpp"
#include "controls/Theme.hpp"

namespace {

struct ValueCase {
    int min, max;
    const char* text; // text before the set, or the text read when set is absent
    bool set;
    int setTo;
    int expected;
};

TEST(FlatSpinEditValue, ReadingParsesAndSettingClampsExceptForEqualLimits) {
    const ValueCase cases[] = {
        // Reading: whole numbers as they are, unclamped; anything else gives MinValue.
        {0, 100, "12", false, 0, 12},
        {0, 100, "250", false, 0, 250},
        {1, 100, "-7", false, 0, -7},
        {1, 100, " 42 ", false, 0, 42},
        {1, 100, "+9", false, 0, 9},
        {1, 100, "abc", false, 0, 1},
        {5, 100, "", false, 0, 5},
        {5, 100, "3.5", false, 0, 5},
        {5, 100, "12x", false, 0, 5},
        {5, 100, "-", false, 0, 5},
        {5, 100, "99999999999", false, 0, 5},
        // Setting: clamped to the range.
        {0, 100, "", true, 12, 12},
        {0, 100, "", true, 101, 100},
        {1, 32, "", true, 16, 16},
        {1, 100, "", true, 0, 1},
        // Equal limits take the value as it is (an image 30 pixels wide: limits 1 and 1).
        {1, 1, "", true, 0, 0},
        {7, 7, "", true, 1000, 1000},
        // Limits 1 and 0 (an image 10 pixels wide): below the lower limit gives it, above the
        // upper one gives that.
        {1, 0, "", true, 0, 1},
        {1, 0, "", true, 5, 0},
    };
    for (const ValueCase& c : cases) {
        TFlatSpinEdit edit(nullptr);
        edit.SetMinValue(c.min);
        edit.SetMaxValue(c.max);
        if (c.set)
            edit.SetValue(c.setTo);
        else
            edit.SetText(c.text);
        EXPECT_EQ(edit.Value(), c.expected)
            << c.min << ".." << c.max << " text '" << c.text << "' set " << c.setTo;
    }
}

class FlatSpinEditTest : public ControlsTest {
protected:
    FlatSpinEditTest() : edit(&form) {
        edit.SetParent(&form);
        edit.SetBounds(243, 8, 54, 20);
        edit.SetMinValue(0);
        edit.SetMaxValue(100);
        edit.SetValue(12);
    }
    TFlatSpinEdit edit;
};

TEST_F(FlatSpinEditTest, ButtonsAndArrowKeysStepByOneWithinTheRange) {
    struct Case {
        int start;
        std::function<void()> act;
        int expected;
    };
    auto up = [this] { Click(edit, edit.UpButtonRect().Left + 2, edit.UpButtonRect().Top + 2); };
    auto down = [this] {
        Click(edit, edit.DownButtonRect().Left + 2, edit.DownButtonRect().Top + 2);
    };
    const Case cases[] = {
        {12, up, 13},
        {12, down, 11},
        {100, up, 100},
        {0, down, 0},
        {12, [this] { Key(VK_UP); }, 13},
        {12, [this] { Key(VK_DOWN); }, 11},
        {100, [this] { Key(VK_UP); }, 100},
    };
    for (const Case& c : cases) {
        edit.SetValue(c.start);
        Run({[&] {
            edit.SetFocus();
            c.act();
        }});
        EXPECT_EQ(edit.Value(), c.expected) << "from " << c.start;
    }
}

TEST_F(FlatSpinEditTest, TypingEditsTheText) {
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    Run({[&] {
             edit.SetFocus();
             Key(VK_BACK);
             Key(VK_BACK);
             Type("4x7");
         },
         [&] { EXPECT_EQ(edit.Text(), "47"); }, [&] { edit.TypeText("abc"); }});
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(edit.Value(), 0);
    EXPECT_EQ(changes, 5);
}

TEST_F(FlatSpinEditTest, ANarrowFieldLeavesRoomForThreeDigits) {
    for (int width : {54, 57}) {
        edit.SetWidth(width);
        TRect text = edit.TextRect();
        EXPECT_GE(text.Width(), theme::TextSize(edit.Font(), "100").x + 2) << width;
        EXPECT_LE(text.Right, edit.UpButtonRect().Left);
        EXPECT_GE(text.Height(), theme::TextSize(edit.Font(), "100").y) << width;
    }
    edit.SetValue(100);
    int ink = 0, rightmost = -1;
    Run({[&] {
        for (int y = 1; y < edit.Height() - 1; ++y)
            for (int x = 1; x < edit.UpButtonRect().Left; ++x)
                if (Dark(PixelAt(edit, x, y))) {
                    ++ink;
                    rightmost = std::max(rightmost, x);
                }
    }});
    EXPECT_GT(ink, 15);
    // The last digit ends inside the text area, short of its clip edge.
    EXPECT_LT(rightmost, edit.TextRect().Right - 1);
}

} // namespace
