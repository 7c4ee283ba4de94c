#include "controls/ProgressBar.hpp"

#include "controls/Theme.hpp"

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    max_ = std::max(max_, min_);
    SetPosition(position_);
    Changed();
}

void TProgressBar::SetMax(int v) {
    max_ = std::max(v, min_);
    SetPosition(position_);
    Changed();
}

void TProgressBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (v == position_)
        return;
    position_ = v;
    Changed();
}

void TProgressBar::StepIt() {
    int next = position_ + step_;
    SetPosition(next > max_ ? min_ + (next - max_) : next);
}

void TProgressBar::StepBy(int delta) {
    SetPosition(position_ + delta);
}

// Painted at once: the long handler that steps the bar lets no paint cycle run.
void TProgressBar::Changed() {
    Repaint();
}

int TProgressBar::FilledWidth() const {
    int inside = std::max(0, Width() - 2 * theme::kProgressFrame);
    if (max_ == min_)
        return 0;
    return static_cast<int>(int64_t{inside} * (position_ - min_) / (int64_t{max_} - min_));
}

void TProgressBar::Paint() {
    theme::DrawProgress(Canvas(), {0, 0, Width(), Height()}, FilledWidth());
}
