#include "ViewBase.hpp"

#include "ViewCursors.hpp"

#include <algorithm>

TViewBase::TViewBase(TComponent* owner) : TCustomControl(owner) {
    RegisterViewCursors();
    SetTabStop(true);
}

void TViewBase::SetBackGround(TColor colour) {
    background_ = colour;
}

void TViewBase::SetBorderStyle(TFormBorderStyle style) {
    if (style != bsNone)
        style = bsSingle;
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    Realign();
    Update();
}

TRect TViewBase::ClientRect() const {
    int b = BorderWidth();
    return {b, b, std::max(b, Width() - b), std::max(b, Height() - b)};
}

void TViewBase::UnLockPaint() {
    NPUnLockPaint();
    if (paintLock_ == 0)
        Update();
}

void TViewBase::NPUnLockPaint() {
    if (paintLock_ > 0)
        --paintLock_;
}

void TViewBase::PaintBorder(TCanvas& canvas) {
    if (borderStyle_ != bsSingle)
        return;
    // A sunken client edge: dark outer and inner lines top-left, light ones bottom-right.
    int w = Width(), h = Height();
    auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        int r = w - 1 - inset, b = h - 1 - inset;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = topLeft;
        canvas.FillRect({inset, inset, r + 1, inset + 1});
        canvas.FillRect({inset, inset, inset + 1, b + 1});
        canvas.Brush.Color = bottomRight;
        canvas.FillRect({inset, b, r + 1, b + 1});
        canvas.FillRect({r, inset, r + 1, b + 1});
    };
    edge(0, clBtnShadow, clBtnHighlight);
    edge(1, cl3DDkShadow, clBtnFace);
}
