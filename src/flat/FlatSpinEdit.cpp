#include "FlatSpinEdit.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {
constexpr int kTextPad = 3; // pixels between the frame and the text
} // namespace

int ParseWholeNumber(const std::string& text, int fallback) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return fallback;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+' && end - begin > 1 && begin[1] != '-' && begin[1] != '+')
        ++begin;
    int value = 0;
    auto [stop, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && stop == end ? value : fallback;
}

TFlatSpinEdit::TFlatSpinEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetCursor(crIBeam);
    SetBounds(0, 0, 57, 20);
}

int TFlatSpinEdit::Value() const {
    return ParseWholeNumber(text_, minValue_);
}

void TFlatSpinEdit::SetValue(int v) {
    if (minValue_ != maxValue_) {
        if (v < minValue_)
            v = minValue_;
        else if (v > maxValue_)
            v = maxValue_;
    }
    SetText(std::to_string(v));
}

void TFlatSpinEdit::SetText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    Invalidate();
    Raise(OnChange, this);
}

void TFlatSpinEdit::Step(int direction) {
    int64_t next = int64_t{Value()} + int64_t{direction} * increment_;
    next = std::clamp<int64_t>(next, INT32_MIN, INT32_MAX);
    SetValue(static_cast<int>(next));
}

TRect TFlatSpinEdit::UpButtonRect() const {
    return {Width() - 1 - kButtonWidth, 1, Width() - 1, Height() / 2};
}

TRect TFlatSpinEdit::DownButtonRect() const {
    return {Width() - 1 - kButtonWidth, Height() / 2, Width() - 1, Height() - 1};
}

TRect TFlatSpinEdit::TextRect() const {
    return {kTextPad, 1, Width() - 1 - kButtonWidth - 1, Height() - 1};
}

TFlatSpinEdit::Part TFlatSpinEdit::PartAt(int x, int y) const {
    if (UpButtonRect().Contains({x, y}))
        return Part::Up;
    if (DownButtonRect().Contains({x, y}))
        return Part::Down;
    return Part::None;
}

void TFlatSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    pressed_ = PartAt(x, y);
    if (pressed_ != Part::None) {
        Step(pressed_ == Part::Up ? 1 : -1);
        Invalidate();
    }
}

void TFlatSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (pressed_ != Part::None) {
        pressed_ = Part::None;
        Invalidate();
    }
}

void TFlatSpinEdit::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    Part part = PartAt(x, y);
    if (part != hot_) {
        hot_ = part;
        Invalidate();
    }
}

void TFlatSpinEdit::MouseLeave() {
    hot_ = Part::None;
    Invalidate();
}

void TFlatSpinEdit::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP ? 1 : -1);
        key = 0;
    } else if (key == VK_BACK && !text_.empty()) {
        SetText(text_.substr(0, text_.size() - 1));
        key = 0;
    }
}

void TFlatSpinEdit::KeyPress(char32_t ch) {
    // Only what a whole number is written with.
    if ((ch >= U'0' && ch <= U'9') || ch == U'-' || ch == U'+')
        SetText(text_ + static_cast<char>(ch));
}

bool TFlatSpinEdit::TypeText(const std::string& text) {
    SetText(text);
    return true;
}

void TFlatSpinEdit::Paint() {
    TCanvas& canvas = Canvas();
    theme::TPressState field;
    field.enabled = Enabled();
    field.focused = Focused();
    theme::DrawField(canvas, {0, 0, Width(), Height()}, field);
    TRect text = TextRect();
    theme::DrawCaption(canvas, text, text_, Font(), taLeftJustify, Enabled());
    if (Focused()) {
        // The caret stands after the text, where typing goes.
        int x = std::min(text.Right - 1, text.Left + canvas.TextWidth(text_));
        theme::Fill(canvas, {x, text.Top + 2, x + 1, text.Bottom - 2}, clWindowText);
    }
    for (Part part : {Part::Up, Part::Down}) {
        theme::TPressState s;
        s.enabled = Enabled();
        s.hot = hot_ == part;
        s.pressed = pressed_ == part;
        theme::DrawSpinButton(canvas, part == Part::Up ? UpButtonRect() : DownButtonRect(),
                              part == Part::Up, s);
    }
}
