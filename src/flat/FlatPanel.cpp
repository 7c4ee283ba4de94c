#include "FlatPanel.hpp"

#include "controls/Theme.hpp"

#include <algorithm>

TFlatPanel::TFlatPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TFlatPanel::SetParentColor(bool v) {
    parentColor_ = v;
    Invalidate();
}

void TFlatPanel::SetColorBorder(TColor c) {
    bool reflow = (c == clNone) != (colorBorder_ == clNone);
    colorBorder_ = c;
    if (reflow)
        Realign();
    Invalidate();
}

TColor TFlatPanel::FaceColor() const {
    return parentColor_ && Parent() ? Parent()->Color() : Color();
}

TRect TFlatPanel::ClientRect() const {
    int b = colorBorder_ == clNone ? 0 : 1;
    return {b, b, std::max(b, Width() - b), std::max(b, Height() - b)};
}

void TFlatPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r{0, 0, Width(), Height()};
    theme::Fill(canvas, r, FaceColor());
    if (colorBorder_ != clNone)
        theme::Frame(canvas, r, colorBorder_);
    theme::DrawCaption(canvas, r, Caption(), Font(), taCenter, Enabled());
}
