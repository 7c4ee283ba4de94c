#include "controls/Panel.hpp"

#include <algorithm>

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    EdgesChanged();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    EdgesChanged();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(1, width);
    EdgesChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TPanel::EdgesChanged() {
    Invalidate();
    Realign();
}

TRect TPanel::ClientRect() const {
    int inset =
        theme::BevelSize(bevelOuter_, bevelWidth_) + theme::BevelSize(bevelInner_, bevelWidth_);
    return {inset, inset, std::max(inset, Width() - inset), std::max(inset, Height() - inset)};
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r{0, 0, Width(), Height()};
    theme::Fill(canvas, r, Color());
    r = theme::DrawBevel(canvas, r, bevelOuter_, bevelWidth_);
    r = theme::DrawBevel(canvas, r, bevelInner_, bevelWidth_);
    theme::DrawCaption(canvas, r, Caption(), Font(), alignment_, Enabled());
}
