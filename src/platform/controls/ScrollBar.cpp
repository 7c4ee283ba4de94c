#include "controls/ScrollBar.hpp"

#include "controls/Theme.hpp"

#include <algorithm>

namespace {
constexpr int kMinThumb = 8;
}

TScrollBar::TScrollBar(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, kThickness);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == kind_)
        return;
    kind_ = kind;
    SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    SetPosition(position_);
    Invalidate();
}

void TScrollBar::SetPageSize(int v) {
    pageSize_ = std::clamp(v, 0, max_ - min_ + 1);
    SetPosition(position_);
    Invalidate();
}

int TScrollBar::MaxPosition() const {
    return std::max(min_, max_ - std::max(pageSize_ - 1, 0));
}

void TScrollBar::SetPosition(int v) {
    v = std::clamp(v, min_, MaxPosition());
    if (v == position_)
        return;
    position_ = v;
    Invalidate();
    Raise(OnChange, this);
}

// Geometry --------------------------------------------------------------------

int TScrollBar::Length() const {
    return kind_ == sbHorizontal ? Width() : Height();
}

int TScrollBar::ArrowLength() const {
    return std::min(kThickness, Length() / 2);
}

int TScrollBar::TrackLength() const {
    return std::max(0, Length() - 2 * ArrowLength());
}

int TScrollBar::ThumbLength() const {
    int track = TrackLength();
    if (pageSize_ <= 0)
        return std::min(track, kThickness);
    int64_t units = int64_t{max_} - min_ + 1;
    int64_t length = int64_t{track} * pageSize_ / units;
    return static_cast<int>(std::clamp<int64_t>(length, std::min(track, kMinThumb), track));
}

int TScrollBar::ThumbStart() const {
    int free = TrackLength() - ThumbLength();
    int64_t span = int64_t{MaxPosition()} - min_;
    if (span <= 0 || free <= 0)
        return ArrowLength();
    return ArrowLength() + static_cast<int>(free * (int64_t{position_} - min_) / span);
}

int TScrollBar::PositionAt(int thumbStart) const {
    int free = TrackLength() - ThumbLength();
    if (free <= 0)
        return min_;
    int64_t offset = std::clamp(thumbStart - ArrowLength(), 0, free);
    int64_t span = int64_t{MaxPosition()} - min_;
    return min_ + static_cast<int>((offset * span + free / 2) / free);
}

// Actions ---------------------------------------------------------------------

void TScrollBar::DoScroll(TScrollCode code, int proposed) {
    int pos = std::clamp(proposed, min_, MaxPosition());
    Raise(OnScroll, this, code, pos);
    SetPosition(pos);
}

void TScrollBar::Scroll(TScrollCode code) {
    int64_t p = position_;
    switch (code) {
    case scLineUp:
        p -= smallChange_;
        break;
    case scLineDown:
        p += smallChange_;
        break;
    case scPageUp:
        p -= largeChange_;
        break;
    case scPageDown:
        p += largeChange_;
        break;
    case scTop:
        p = min_;
        break;
    case scBottom:
        p = MaxPosition();
        break;
    case scPosition:
    case scTrack:
    case scEndScroll:
        break;
    }
    DoScroll(code, static_cast<int>(std::clamp<int64_t>(p, min_, MaxPosition())));
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    int a = Along(x, y);
    int start = ThumbStart(), length = ThumbLength();
    if (a < ArrowLength())
        Scroll(scLineUp);
    else if (a >= Length() - ArrowLength())
        Scroll(scLineDown);
    else if (a >= start && a < start + length) {
        dragging_ = true;
        dragOffset_ = a - start;
    } else
        Scroll(a < start ? scPageUp : scPageDown);
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (dragging_)
        DoScroll(scTrack, PositionAt(Along(x, y) - dragOffset_));
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!dragging_)
        return;
    dragging_ = false;
    DoScroll(scPosition, PositionAt(Along(x, y) - dragOffset_));
    DoScroll(scEndScroll, position_);
}

void TScrollBar::KeyDown(int& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    bool horizontal = kind_ == sbHorizontal;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        if ((key == VK_LEFT) == horizontal)
            Scroll(scLineUp);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if ((key == VK_RIGHT) == horizontal)
            Scroll(scLineDown);
        break;
    case VK_PRIOR:
        Scroll(scPageUp);
        break;
    case VK_NEXT:
        Scroll(scPageDown);
        break;
    case VK_HOME:
        Scroll(scTop);
        break;
    case VK_END:
        Scroll(scBottom);
        break;
    default:
        break;
    }
}

// Drawing ---------------------------------------------------------------------

void TScrollBar::Paint() {
    TCanvas& canvas = Canvas();
    bool horizontal = kind_ == sbHorizontal;
    int w = Width(), h = Height();
    // A rectangle along the bar from a to a + length, across its whole thickness.
    auto along = [&](int a, int length) {
        return horizontal ? Bounds(a, 0, length, h) : Bounds(0, a, w, length);
    };
    theme::TPressState state;
    state.enabled = Enabled();
    theme::Fill(canvas, {0, 0, w, h}, clScrollBar);
    int arrow = ArrowLength();
    TRect first = along(0, arrow), second = along(Length() - arrow, arrow);
    TColor ink = Enabled() ? clBtnText : clGrayText;
    for (const TRect& r : {first, second})
        theme::DrawButtonFace(canvas, r, state, theme::TButtonFrame::Always, clBtnFace);
    theme::FillArrow(canvas, first, horizontal ? TArrow::Left : TArrow::Up, ink);
    theme::FillArrow(canvas, second, horizontal ? TArrow::Right : TArrow::Down, ink);
    if (Enabled() && TrackLength() > 0) {
        state.pressed = dragging_;
        theme::DrawButtonFace(canvas, along(ThumbStart(), ThumbLength()), state,
                              theme::TButtonFrame::Always, clBtnFace);
    }
}
