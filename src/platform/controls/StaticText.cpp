#include "controls/StaticText.hpp"

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
    AdjustBounds();
}

void TStaticText::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TStaticText::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle style) {
    borderStyle_ = style;
    AdjustBounds();
    Invalidate();
}

void TStaticText::SetCaption(const std::string& caption) {
    TWinControl::SetCaption(caption);
    AdjustBounds();
}

void TStaticText::AdjustBounds() {
    if (!autoSize_)
        return;
    TPoint size = theme::TextSize(Font(), Caption());
    int w = size.x + 2 * FrameSize(), h = size.y + 2 * FrameSize();
    if (w != Width() || h != Height())
        SetBounds(Left(), Top(), w, h);
}

void TStaticText::Paint() {
    AdjustBounds();
    TCanvas& canvas = Canvas();
    TRect r{0, 0, Width(), Height()};
    // Drawn on the parent's face, so the text sits on whatever panel holds it.
    theme::Fill(canvas, r, Parent() ? Parent()->Color() : Color());
    if (borderStyle_ != sbsNone)
        theme::Frame(canvas, r, borderStyle_ == sbsSunken ? theme::Edge() : clBtnShadow);
    int f = FrameSize();
    theme::DrawCaption(canvas, {f, f, Width() - f, Height() - f}, Caption(), Font(), alignment_,
                       Enabled());
}
