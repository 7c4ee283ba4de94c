// TFlatSpinEdit: a whole-number edit with up and down buttons.
//
// Value reads the text: a whole number gives itself (not clamped), anything else MinValue.
// Setting Value clamps it to MinValue..MaxValue, except when the two are equal, when the value
// is taken as it is. The buttons and the Up and Down keys step the value by Increment through
// the setter; typed digits and signs edit the text.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

class TFlatSpinEdit : public TWinControl {
public:
    explicit TFlatSpinEdit(TComponent* owner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int v) { minValue_ = v; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v) { maxValue_ = v; }
    // Step of the buttons and keys [1].
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }
    int Value() const;
    void SetValue(int v);
    // The text as shown and typed.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    // Raised when the text changes.
    TNotifyEvent OnChange;

    // The two buttons and the text area, in client pixels.
    TRect UpButtonRect() const;
    TRect DownButtonRect() const;
    TRect TextRect() const;
    static constexpr int kButtonWidth = 13;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char32_t ch) override;
    bool TypeText(const std::string& text) override;
    void DoEnter() override { Invalidate(); }
    void DoExit() override { Invalidate(); }

private:
    void Step(int direction);
    enum class Part { None, Up, Down };
    Part PartAt(int x, int y) const;
    int minValue_ = 0, maxValue_ = 0, increment_ = 1;
    std::string text_ = "0";
    Part pressed_ = Part::None, hot_ = Part::None;
};

// The whole number a text holds (spaces around it allowed), or fallback.
int ParseWholeNumber(const std::string& text, int fallback);
