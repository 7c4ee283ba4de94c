// The common part of flat check boxes and radio buttons: a mark at the left, the caption beside
// it, a click anywhere on the control, the space bar, and the pointer's hover.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

class TFlatCheckControl : public TWinControl {
public:
    explicit TFlatCheckControl(TComponent* owner);

    bool Checked() const { return checked_; }
    // A change raises OnClick, as a click does.
    virtual void SetChecked(bool checked);

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(int& key, TShiftState shift) override;
    void DoEnter() override { Invalidate(); }
    void DoExit() override { Invalidate(); }

protected:
    // What a click or the space bar does.
    virtual void Toggle() = 0;
    // Draws the mark in box.
    virtual void DrawMark(TCanvas& canvas, const TRect& box, const theme::TPressState& state) = 0;
    // Stores the state without raising anything.
    void StoreChecked(bool checked);

private:
    bool checked_ = false;
    bool tracking_ = false, hot_ = false;
};
