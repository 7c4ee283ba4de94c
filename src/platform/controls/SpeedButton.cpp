#include "controls/SpeedButton.hpp"

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    if (groupIndex_ == 0)
        down_ = false;
    else if (down_)
        ReleaseGroup();
    Invalidate();
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0)
        down = false;
    if (down == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = down;
    if (down_)
        ReleaseGroup();
    Invalidate();
}

void TSpeedButton::ReleaseGroup() {
    if (!Parent() || groupIndex_ == 0)
        return;
    for (TControl* c : Parent()->Controls())
        if (auto* other = dynamic_cast<TSpeedButton*>(c);
            other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
    glyph_ = glyph;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TSpeedButton::SetEnabled(bool enabled) {
    if (!enabled)
        pressed_ = tracking_ = hot_ = false;
    TControl::SetEnabled(enabled);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    tracking_ = pressed_ = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (!tracking_)
        return;
    bool inside = TRect{0, 0, Width(), Height()}.Contains({x, y});
    if (inside != pressed_) {
        pressed_ = inside;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !tracking_)
        return;
    bool clicked = pressed_ && TRect{0, 0, Width(), Height()}.Contains({x, y});
    tracking_ = pressed_ = false;
    Invalidate();
    if (!clicked)
        return;
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    Click();
}

void TSpeedButton::MouseEnter() {
    hot_ = true;
    Invalidate();
}

void TSpeedButton::MouseLeave() {
    hot_ = false;
    Invalidate();
}

theme::TButtonFrame TSpeedButton::FrameStyle() const {
    return flat_ ? theme::TButtonFrame::WhenHot : theme::TButtonFrame::Always;
}

theme::TPressState TSpeedButton::PressState() const {
    theme::TPressState s;
    s.enabled = Enabled();
    s.hot = hot_;
    s.pressed = pressed_;
    s.down = down_;
    return s;
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    TRect r{0, 0, Width(), Height()};
    TColor face = Parent() ? Parent()->Color() : Color();
    theme::TPressState state = PressState();
    theme::DrawButtonFace(canvas, r, state, FrameStyle(), face);
    theme::DrawButtonContent(canvas, r, &glyph_, Caption(), Font(), state, spacing_);
}
