// Radio buttons, check boxes, flat speed buttons and panels of the flat-look set.
#include "ControlsFixture.hpp"
#include "FlatCheckBox.hpp"
#include "FlatPanel.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"

namespace {

class FlatChoiceTest : public ControlsTest {
protected:
    FlatChoiceTest() : left(&form), right(&form) {
        left.SetParent(&form);
        left.SetBounds(0, 0, 150, 100);
        right.SetParent(&form);
        right.SetBounds(150, 0, 150, 100);
        for (int i = 0; i < 2; ++i) {
            leftRadios[i] = new TFlatRadioButton(&form);
            leftRadios[i]->SetParent(&left);
            leftRadios[i]->SetBounds(8, 8 + 24 * i, 89, 17);
            leftRadios[i]->OnClick = [this, i](TObject*) { clicks.push_back(i); };
            rightRadios[i] = new TFlatRadioButton(&form);
            rightRadios[i]->SetParent(&right);
            rightRadios[i]->SetBounds(8, 8 + 24 * i, 89, 17);
        }
        leftRadios[0]->SetChecked(true);
        rightRadios[0]->SetChecked(true);
        clicks.clear();
    }
    std::string Checks() const {
        std::string s;
        for (auto* set : {leftRadios, rightRadios})
            for (int i = 0; i < 2; ++i)
                s += set[i]->Checked() ? 'X' : '-';
        return s;
    }
    TFlatPanel left, right;
    TFlatRadioButton* leftRadios[2];
    TFlatRadioButton* rightRadios[2];
    std::vector<int> clicks;
};

TEST_F(FlatChoiceTest, ARadioButtonIsExclusiveAmongItsParentsOnly) {
    std::string inHandler;
    leftRadios[1]->OnClick = [&](TObject*) {
        clicks.push_back(1);
        inHandler = Checks();
    };
    Run({[&] { Click(*leftRadios[1]); }, [&] { Click(*leftRadios[1]); },
         [&] { Click(*rightRadios[1]); },
         [&] {
             leftRadios[0]->SetFocus();
             Key(VK_SPACE);
         }});
    EXPECT_EQ(inHandler, "-XX-");
    EXPECT_EQ(Checks(), "X--X");
    EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
}

TEST_F(FlatChoiceTest, ACheckBoxTogglesAndShowsOneAmpersand) {
    TFlatCheckBox box(&form);
    box.SetParent(&right);
    box.SetBounds(8, 60, 108, 17);
    box.SetCaption("Move src. && dest. ");
    int clicked = 0;
    box.OnClick = [&](TObject*) { ++clicked; };
    std::vector<bool> states;
    Run({[&] { Click(box); }, [&] { states.push_back(box.Checked()), Click(box); },
         [&] {
             states.push_back(box.Checked());
             box.SetFocus();
             Key(VK_SPACE);
         }});
    states.push_back(box.Checked());
    EXPECT_EQ(states, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(clicked, 3);
    EXPECT_EQ(theme::DisplayText(box.Caption()), "Move src. & dest. ");
}

TEST_F(FlatChoiceTest, AToggleThatMayBeAllUpReleasesOnASecondClick) {
    TFlatSpeedButton add(&form), brk(&form);
    add.SetParent(&right);
    add.SetBounds(0, 60, 84, 25);
    add.SetGroupIndex(12);
    add.SetAllowAllUp(true);
    add.SetDown(true);
    add.SetTag(0);
    brk.SetParent(&right);
    brk.SetBounds(84, 60, 60, 25);
    brk.SetTag(1);
    std::vector<int> tags;
    auto record = [&](TObject* s) { tags.push_back(static_cast<TComponent*>(s)->Tag()); };
    add.OnClick = record;
    brk.OnClick = record;
    std::vector<bool> down;
    Run({[&] { Click(add); }, [&] { down.push_back(add.Down()), Click(brk); },
         [&] { down.push_back(add.Down()), Click(add); }});
    down.push_back(add.Down());
    EXPECT_EQ(down, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(tags, (std::vector<int>{0, 1, 0}));
}

TEST_F(FlatChoiceTest, AFlatPanelCanTakeItsParentsColour) {
    form.SetColor(clTeal);
    left.SetParentColor(true);
    right.SetColor(clMaroon);
    TColor l = 0, r = 0;
    Run({[&] { l = PixelAt(left, 140, 90), r = PixelAt(right, 140, 90); }});
    EXPECT_EQ(l, Rgb(clTeal));
    EXPECT_EQ(r, Rgb(clMaroon));
}

TEST_F(FlatChoiceTest, TheEditorsCaptionsFitTheirControlsWhole) {
    struct Case {
        const char* caption;
        int width;
        bool checkBox;
    };
    const Case cases[] = {{"Mesh 2-pass", 81, false},
                          {"Field warping", 89, false},
                          {"Linear", 65, false},
                          {"Catmull-Rom", 81, false},
                          {"Move src. && dest. ", 108, true}};
    for (const Case& c : cases) {
        std::unique_ptr<TFlatCheckControl> control;
        if (c.checkBox)
            control = std::make_unique<TFlatCheckBox>(&form);
        else
            control = std::make_unique<TFlatRadioButton>(&form);
        control->SetParent(&right);
        control->SetBounds(0, 60, c.width, 17);
        control->SetCaption(c.caption);
        int ink = 0, rightmost = -1;
        Run({[&] {
            // Right of the mark: the caption's own pixels.
            for (int y = 0; y < 17; ++y)
                for (int x = theme::kMarkSize + 1; x < c.width; ++x)
                    if (Dark(PixelAt(*control, x, y))) {
                        ++ink;
                        rightmost = std::max(rightmost, x);
                    }
        }});
        EXPECT_GT(ink, 40) << c.caption;
        EXPECT_LT(rightmost, c.width - 1) << c.caption << " is cut off";
        TFont fitted = theme::FitFont(control->Font(), c.caption, c.width);
        EXPECT_LE(-fitted.Height, 11);
        EXPECT_GE(-fitted.Height, theme::kSmallestFitHeight);
    }
}

} // namespace
