#include "controls/Splitter.hpp"

#include "controls/Theme.hpp"

#include <algorithm>

TSplitter::TSplitter(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool beveled) {
    beveled_ = beveled;
    Invalidate();
}

TControl* TSplitter::Neighbour() const {
    if (!Parent())
        return nullptr;
    for (TControl* c : Parent()->Controls()) {
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        if (Align() == alLeft && c->Left() + c->Width() == Left())
            return c;
        if (Align() == alRight && c->Left() == Left() + Width())
            return c;
    }
    return nullptr;
}

int TSplitter::DraggedWidth(int formX) const {
    int delta = formX - downFormX_;
    int width = Align() == alLeft ? downWidth_ + delta : downWidth_ - delta;
    // The space on the far side of the splitter, before anything aligned to that edge.
    int farSide = Align() == alLeft ? Parent()->ClientWidth() - (Left() + Width()) : Left();
    for (TControl* c : Parent()->Controls())
        if (c != dragged_ && c != this && c->Visible() && c->Align() == Align() &&
            (Align() == alLeft ? c->Left() > Left() : c->Left() < Left()))
            farSide -= c->Width();
    int largest = dragged_->Width() + farSide - minSize_;
    return std::max(minSize_, std::min(width, largest));
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || (Align() != alLeft && Align() != alRight))
        return;
    dragged_ = Neighbour();
    downFormX_ = FormOrigin().x + x;
    downWidth_ = dragged_ ? dragged_->Width() : 0;
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (!dragged_)
        return;
    int width = DraggedWidth(FormOrigin().x + x);
    if (width != dragged_->Width())
        dragged_->SetWidth(width);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseUp(button, shift, x, y);
    if (!dragged_)
        return;
    dragged_ = nullptr;
    Raise(OnMoved, this);
}

void TSplitter::Paint() {
    theme::DrawSplitter(Canvas(), {0, 0, Width(), Height()}, Color(), beveled_);
}
