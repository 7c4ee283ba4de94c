#include "controls/HintController.hpp"

#include "Application.hpp"
#include "Form.hpp"
#include "controls/HintWindow.hpp"

THintController::THintController() : timer_(nullptr) {
    timer_.SetEnabled(false);
    timer_.OnTimer = [this](TObject*) { Tick(); };
}

THintController::~THintController() {
    timer_.OnTimer = nullptr;
    delete window_;
}

std::string THintController::Text() const {
    return window_ && window_->Visible() ? window_->Caption() : std::string();
}

TControl* THintController::HintSource(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty())
            return c->ShowsHint() && !GetShortHint(c->Hint()).empty() ? c : nullptr;
    return nullptr;
}

void THintController::HoverChanged(TControl* control) {
    bool wasShowing = window_ != nullptr;
    Hide();
    hovered_ = control;
    if (!HintSource(control)) {
        timer_.SetEnabled(false);
        return;
    }
    waitingToShow_ = true;
    timer_.SetInterval(wasShowing ? HintShortPause : HintPause);
    timer_.SetEnabled(true);
}

void THintController::Cancel() {
    Hide();
    timer_.SetEnabled(false);
}

void THintController::Forget(TControl* control) {
    for (TControl* c = window_; c; c = c->Parent())
        if (c == control) {
            // The tip's form (or the tip itself) is going; the form deletes its children.
            window_ = nullptr;
            break;
        }
    for (TControl* c = hovered_; c; c = c->Parent())
        if (c == control) {
            Cancel();
            hovered_ = nullptr;
            break;
        }
}

void THintController::Hide() {
    waitingToShow_ = false;
    THintWindow* window = window_;
    window_ = nullptr;
    delete window;
}

void THintController::Tick() {
    timer_.SetEnabled(false);
    if (!waitingToShow_) {
        Hide();
        return;
    }
    TControl* source = HintSource(hovered_);
    TForm* form = hovered_ ? hovered_->Form() : nullptr;
    if (!source || !form || !hovered_->Showing())
        return;
    waitingToShow_ = false;
    window_ = new THintWindow(nullptr);
    TPoint pointer = Application->PointerPos();
    window_->ActivateHint(form, {pointer.x, pointer.y + 20}, GetShortHint(source->Hint()));
    timer_.SetInterval(HintHidePause);
    timer_.SetEnabled(true);
}
