#include "FlatCheckControl.hpp"

namespace {
constexpr int kCaptionGap = 4; // pixels between the mark and the caption
} // namespace

TFlatCheckControl::TFlatCheckControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TFlatCheckControl::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    StoreChecked(checked);
    Click();
}

void TFlatCheckControl::StoreChecked(bool checked) {
    checked_ = checked;
    Invalidate();
}

void TFlatCheckControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    tracking_ = button == mbLeft;
}

void TFlatCheckControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    bool clicked = tracking_ && button == mbLeft && TRect{0, 0, Width(), Height()}.Contains({x, y});
    tracking_ = false;
    if (clicked)
        Toggle();
}

void TFlatCheckControl::MouseEnter() {
    hot_ = true;
    Invalidate();
}

void TFlatCheckControl::MouseLeave() {
    hot_ = false;
    Invalidate();
}

void TFlatCheckControl::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        Toggle();
        key = 0;
    }
}

void TFlatCheckControl::Paint() {
    TCanvas& canvas = Canvas();
    theme::Fill(canvas, {0, 0, Width(), Height()}, Parent() ? Parent()->Color() : Color());
    int top = (Height() - theme::kMarkSize) / 2;
    TRect box{0, top, theme::kMarkSize, top + theme::kMarkSize};
    theme::TPressState state;
    state.enabled = Enabled();
    state.hot = hot_;
    state.focused = Focused();
    DrawMark(canvas, box, state);
    theme::DrawCaption(canvas, {theme::kMarkSize + kCaptionGap, 0, Width(), Height()}, Caption(),
                       Font(), taLeftJustify, Enabled(), true);
}
