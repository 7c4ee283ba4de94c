#include "controls/TrackBar.hpp"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargin = 4;  // free pixels at both ends of the channel
constexpr int kChannel = 4; // thickness of the channel
constexpr int kTick = 3;    // length of a tick mark
} // namespace

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::SetMin(int v) {
    min_ = v;
    max_ = std::max(max_, min_);
    Invalidate();
    SetPosition(position_);
}

void TTrackBar::SetMax(int v) {
    max_ = std::max(v, min_);
    Invalidate();
    SetPosition(position_);
}

void TTrackBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (v == position_)
        return;
    position_ = v;
    Changed();
}

void TTrackBar::Changed() {
    Invalidate();
    Raise(OnChange, this);
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = std::max(1, v);
    Invalidate();
}

void TTrackBar::SetThumbLength(int v) {
    thumbLength_ = std::max(4, v);
    Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark v) {
    tickMarks_ = v;
    Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
    tickStyle_ = v;
    Invalidate();
}

void TTrackBar::SetSelStart(int v) {
    selStart_ = v;
    Invalidate();
}

void TTrackBar::SetSelEnd(int v) {
    selEnd_ = v;
    Invalidate();
}

void TTrackBar::CreateParams(TCreateParams& params) const {
    params.selRange = true;
}

void TTrackBar::HandleNeeded() {
    if (created_)
        return;
    TCreateParams params;
    CreateParams(params);
    selRangeStyle_ = params.selRange;
    created_ = true;
}

void TTrackBar::RecreateWnd() {
    dragging_ = false;
    created_ = false;
    HandleNeeded();
    Invalidate();
}

int TTrackBar::ThumbAlong() const {
    return thumbLength_ / 2 + 1;
}

TRect TTrackBar::ChannelRect() const {
    int cy = Height() / 2;
    return {kMargin, cy - kChannel / 2, std::max(kMargin, Width() - kMargin),
            cy - kChannel / 2 + kChannel};
}

int TTrackBar::ColumnOf(int position) const {
    TRect ch = ChannelRect();
    int travel = std::max(0, ch.Width() - ThumbAlong());
    int offset =
        max_ == min_
            ? 0
            : static_cast<int>(int64_t{travel} * (position - min_) / (int64_t{max_} - min_));
    return ch.Left + ThumbAlong() / 2 + offset;
}

TRect TTrackBar::ThumbRect() const {
    int across = std::min(thumbLength_, Height());
    int top = (Height() - across) / 2;
    int left = ColumnOf(position_) - ThumbAlong() / 2;
    return {left, top, left + ThumbAlong(), top + across};
}

int TTrackBar::PositionAt(int x) const {
    TRect ch = ChannelRect();
    int travel = ch.Width() - ThumbAlong();
    if (travel <= 0 || max_ == min_)
        return min_;
    double share = double(x - ch.Left - ThumbAlong() / 2) / travel;
    int64_t p = min_ + std::llround(share * (int64_t{max_} - min_));
    return static_cast<int>(std::clamp<int64_t>(p, min_, max_));
}

void TTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    TRect thumb = ThumbRect();
    int centre = thumb.Left + thumb.Width() / 2;
    // Grabbing the thumb keeps its offset to the pointer; anywhere else it jumps there.
    grab_ = thumb.Contains({x, y}) ? x - centre : 0;
    dragging_ = true;
    SetPosition(PositionAt(x - grab_));
    Invalidate();
}

void TTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    if (dragging_)
        SetPosition(PositionAt(x - grab_));
}

void TTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && dragging_) {
        dragging_ = false;
        Invalidate();
    }
}

void TTrackBar::MouseEnter() {
    hot_ = true;
    Invalidate();
}

void TTrackBar::MouseLeave() {
    hot_ = false;
    Invalidate();
}

void TTrackBar::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        SetPosition(position_ - lineSize_);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(position_ + lineSize_);
        break;
    case VK_PRIOR:
        SetPosition(position_ - pageSize_);
        break;
    case VK_NEXT:
        SetPosition(position_ + pageSize_);
        break;
    case VK_HOME:
        SetPosition(min_);
        break;
    case VK_END:
        SetPosition(max_);
        break;
    default:
        return;
    }
    key = 0;
}

void TTrackBar::Paint() {
    HandleNeeded();
    TCanvas& canvas = Canvas();
    theme::Fill(canvas, {0, 0, Width(), Height()}, Parent() ? Parent()->Color() : Color());
    TRect ch = ChannelRect();
    TRect band{};
    if (selRangeStyle_ && selEnd_ > selStart_)
        band = {ColumnOf(std::clamp(selStart_, min_, max_)), ch.Top,
                ColumnOf(std::clamp(selEnd_, min_, max_)) + 1, ch.Bottom};
    theme::DrawTrackChannel(canvas, ch, band);
    TRect thumb = ThumbRect();
    if (tickStyle_ != tsNone) {
        auto ticksAt = [&](int p) {
            int x = ColumnOf(p);
            if (tickMarks_ != tmBottomRight)
                theme::DrawTick(canvas, x, std::max(0, thumb.Top - kTick - 1), kTick);
            if (tickMarks_ != tmTopLeft)
                theme::DrawTick(canvas, x, thumb.Bottom + 1, kTick);
        };
        if (tickStyle_ == tsAuto)
            for (int64_t p = min_; p <= max_; p += frequency_)
                ticksAt(static_cast<int>(p));
        ticksAt(min_);
        ticksAt(max_);
    }
    theme::TPressState state;
    state.enabled = Enabled();
    state.hot = hot_;
    state.pressed = dragging_;
    state.focused = Focused();
    theme::DrawTrackThumb(canvas, thumb, state);
}
