// Routing of mouse input: hit testing, capture, focus, modality and cursors.
#include "Form.hpp"
#include "HeadlessFixture.hpp"
#include "Screen.hpp"

#include <string>
#include <vector>

namespace {

struct Recorder : TWinControl {
    explicit Recorder(TComponent* owner) : TWinControl(owner) {}
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        TWinControl::MouseDown(b, s, x, y);
    }
    void MouseMove(TShiftState, int x, int y) override {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
    std::vector<std::string> log;
};

class Input : public HeadlessTest {
protected:
    Input() : form(nullptr), panel(&form), child(&form) {
        form.SetClientSize(200, 100);
        panel.SetParent(&form);
        panel.SetBounds(10, 10, 100, 80);
        child.SetParent(&panel);
        child.SetBounds(5, 5, 20, 20);
        child.SetTabStop(true);
    }
    TForm form;
    Recorder panel;
    Recorder child;
};

TEST_F(Input, APressCapturesTheDeepestControlUntilRelease) {
    Script({[&] {
        Post(InputKind::MouseDown, form.WindowId(), 20, 20);
        Post(InputKind::MouseMove, form.WindowId(), 150, 95);
        Post(InputKind::MouseUp, form.WindowId(), 150, 95);
        Post(InputKind::MouseMove, form.WindowId(), 60, 60);
    }});
    form.ShowModal();
    EXPECT_EQ(child.log, (std::vector<std::string>{"down 5,5", "move 135,80", "up 135,80"}));
    EXPECT_EQ(panel.log, (std::vector<std::string>{"move 50,50"}));
    EXPECT_TRUE(child.Focused());
}

TEST_F(Input, AWindowBelowAModalOneTakesNoInputButRaisesTheModalOne) {
    TForm dialog(nullptr);
    int raised = -1;
    Script({[&] {
        dialog.OnShow = [&](TObject*) {
            Post(InputKind::MouseDown, form.WindowId(), 20, 20);
            app_->Post([&] { raised = backend_->Raised(); });
        };
        dialog.ShowModal();
    }});
    form.ShowModal();
    EXPECT_TRUE(child.log.empty());
    EXPECT_EQ(raised, dialog.WindowId());
}

TEST_F(Input, TheWindowManagersSizeReachesAWindowBelowAModalOne) {
    TForm dialog(nullptr);
    Script({[&] {
        dialog.OnShow = [&](TObject*) {
            InputEvent resize;
            resize.kind = InputKind::Resize;
            resize.window = form.WindowId();
            resize.width = 240;
            resize.height = 130;
            app_->PostInput(resize);
        };
        dialog.ShowModal();
    }});
    form.ShowModal();
    EXPECT_EQ(form.ClientWidth(), 240);
    EXPECT_EQ(form.ClientHeight(), 130);
}

TEST_F(Input, TheScreenCursorOverridesTheHoveredControlsCursor) {
    child.SetCursor(crHandPoint);
    int hovered = 0, overridden = 0, restored = 0;
    Script({[&] { Post(InputKind::MouseMove, form.WindowId(), 20, 20); },
            [&] {
                hovered = backend_->Cursor();
                Screen->SetCursor(crHourGlass);
                overridden = backend_->Cursor();
                Screen->SetCursor(crDefault);
                restored = backend_->Cursor();
            }});
    form.ShowModal();
    EXPECT_EQ(hovered, crHandPoint);
    EXPECT_EQ(overridden, crHourGlass);
    EXPECT_EQ(restored, crHandPoint);
}

} // namespace
