// Tool tips: the short hint shows after a rest of the pointer and goes on the next move or press.
#include "ControlsFixture.hpp"
#include "controls/HintController.hpp"
#include "controls/HintWindow.hpp"
#include "controls/SpeedButton.hpp"
#include "controls/Theme.hpp"

namespace {

class HintTest : public ControlsTest {
protected:
    HintTest() : button(&form), other(&form) {
        form.SetShowHint(true);
        button.SetParent(&form);
        button.SetBounds(10, 10, 84, 25);
        button.SetHint("Preview morphing|");
        other.SetParent(&form);
        other.SetBounds(150, 10, 84, 25);
    }
    std::string Tip() { return app_->Hints().Text(); }
    TSpeedButton button, other;
};

TEST_F(HintTest, TheShortHintShowsAfterAPauseOverTheControl) {
    std::string early, shown;
    TColor tipFace = 0;
    Run({[&] {
             Mouse(InputKind::MouseMove, button, 20, 12);
             Wait(400);
         },
         [&] {
             early = Tip();
             Wait(200);
         },
         [&] {
             shown = Tip();
             THintWindow* tip = app_->Hints().Window();
             tipFace = tip ? PixelAt(*tip, 2, tip->Height() - 2) : 0;
         }});
    EXPECT_EQ(early, "");
    EXPECT_EQ(shown, "Preview morphing");
    EXPECT_EQ(tipFace, Rgb(clInfoBk));
}

TEST_F(HintTest, TheTipGoesOnAPressAMoveAwayOrAfterTheHidePause) {
    struct Case {
        const char* what;
        std::function<void()> act;
        int wait;
    };
    const Case cases[] = {
        {"press", [this] { Mouse(InputKind::MouseDown, button, 20, 12, ssLeft); }, 0},
        {"move away", [this] { Mouse(InputKind::MouseMove, other, 5, 5); }, 0},
        {"hide pause", [] {}, 2600},
    };
    for (const Case& c : cases) {
        std::string before, after = "unset";
        Run({[&] {
                 Mouse(InputKind::MouseMove, button, 20, 12);
                 Wait(600);
             },
             [&] {
                 before = Tip();
                 c.act();
                 Wait(c.wait);
             },
             [&] { after = Tip(); }});
        EXPECT_EQ(before, "Preview morphing") << c.what;
        EXPECT_EQ(after, "") << c.what;
        EXPECT_EQ(app_->Hints().Window(), nullptr) << c.what;
    }
}

TEST_F(HintTest, WhichTextShows) {
    struct Case {
        const char* hint;
        bool showHint;
        const char* tip;
    };
    const Case cases[] = {{"Toggle addition /movement", true, "Toggle addition /movement"},
                          {"Zoom in|long text", true, "Zoom in"},
                          {"Zoom in|", false, ""},
                          {"|only long", true, ""}};
    for (const Case& c : cases) {
        button.SetHint(c.hint);
        button.SetShowHint(c.showHint);
        std::string tip = "unset";
        Run({[&] {
                 Mouse(InputKind::MouseMove, other, 5, 5);
                 Mouse(InputKind::MouseMove, button, 20, 12);
                 Wait(600);
             },
             [&] { tip = Tip(); }});
        EXPECT_EQ(tip, c.tip) << c.hint;
    }
}

TEST_F(HintTest, ClosingTheFormTakesTheTipWithIt) {
    {
        TForm dialog(nullptr);
        dialog.SetShowHint(true);
        TSpeedButton b(&dialog);
        b.SetParent(&dialog);
        b.SetBounds(0, 0, 50, 20);
        b.SetHint("tip");
        Script({[&] {
                    InputEvent e;
                    e.kind = InputKind::MouseMove;
                    e.window = dialog.WindowId();
                    e.x = 5;
                    e.y = 5;
                    app_->PostInput(e);
                    Wait(600);
                },
                [&] { EXPECT_EQ(Tip(), "tip"); }});
        dialog.ShowModal();
    }
    EXPECT_EQ(app_->Hints().Window(), nullptr);
}

} // namespace
