// A headless form for control tests, with pointer and key input aimed at a control's own
// client coordinates.
#pragma once

#include "Form.hpp"
#include "HeadlessFixture.hpp"

class ControlsTest : public HeadlessTest {
protected:
    ControlsTest() : form(nullptr) { form.SetClientSize(300, 200); }

    // Input at (x, y) of control's client area, queued behind what is there.
    void Mouse(InputKind kind, TControl& control, int x, int y, TShiftState shift = 0) {
        TPoint o = control.FormOrigin();
        InputEvent e;
        e.kind = kind;
        e.window = form.WindowId();
        e.x = o.x + x;
        e.y = o.y + y;
        e.shift = shift;
        app_->PostInput(e);
    }
    void Click(TControl& control, int x, int y) {
        Mouse(InputKind::MouseMove, control, x, y);
        Mouse(InputKind::MouseDown, control, x, y, ssLeft);
        Mouse(InputKind::MouseUp, control, x, y);
    }
    void Click(TControl& control) { Click(control, control.Width() / 2, control.Height() / 2); }
    void Drag(TControl& control, int x1, int y1, int x2, int y2) {
        Mouse(InputKind::MouseMove, control, x1, y1);
        Mouse(InputKind::MouseDown, control, x1, y1, ssLeft);
        Mouse(InputKind::MouseMove, control, x2, y2, ssLeft);
        Mouse(InputKind::MouseUp, control, x2, y2);
    }
    void Key(int key) {
        InputEvent e;
        e.kind = InputKind::KeyDown;
        e.window = form.WindowId();
        e.key = key;
        app_->PostInput(e);
    }
    void Type(const std::string& text) {
        InputEvent e;
        e.kind = InputKind::Text;
        e.window = form.WindowId();
        e.text = text;
        app_->PostInput(e);
    }
    // Lets virtual time pass before the next step.
    void Wait(int ms) { app_->WaitUntil(app_->NowMs() + ms); }
    // Pixel of the form's picture at a point of control's client area.
    TColor PixelAt(TControl& control, int x, int y) {
        TPoint o = control.FormOrigin();
        return form.Picture().Pixel(o.x + x, o.y + y);
    }
    // The colour a pixel shows for c (system colours resolved).
    static TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }
    // True when a pixel is dark enough to be ink of dark text (anti-aliased edges included).
    static bool Dark(TColor pixel) {
        uint32_t p = static_cast<uint32_t>(pixel);
        return GetRValue(p) < 110 && GetGValue(p) < 110 && GetBValue(p) < 110;
    }
    // Runs the steps inside the form's modal loop.
    void Run(std::deque<std::function<void()>> steps) {
        Script(std::move(steps));
        form.ShowModal();
    }

    TForm form;
};
