#include "controls/Label.hpp"

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TLabel::SetCaption(const std::string& caption) {
    TControl::SetCaption(caption);
    AdjustBounds();
}

void TLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    TPoint size = theme::TextSize(Font(), Caption());
    int left = Left();
    if (alignment_ == taRightJustify)
        left = Left() + Width() - size.x;
    else if (alignment_ == taCenter)
        left = Left() + (Width() - size.x) / 2;
    if (left != Left() || size.x != Width() || size.y != Height())
        SetBounds(left, Top(), size.x, size.y);
}

void TLabel::Paint() {
    // A font changed through Font() reaches the bounds here; the size change repaints.
    AdjustBounds();
    TCanvas& canvas = Canvas();
    if (!transparent_)
        theme::Fill(canvas, {0, 0, Width(), Height()}, Color());
    theme::DrawCaption(canvas, {0, 0, Width(), Height()}, Caption(), Font(), alignment_, Enabled());
}
