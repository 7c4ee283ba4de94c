// TFlatRadioButton: a flat radio button. Checking it unchecks the other radio buttons of the
// same parent; a click on a checked one changes nothing.
#pragma once

#include "FlatCheckControl.hpp"

class TFlatRadioButton : public TFlatCheckControl {
public:
    explicit TFlatRadioButton(TComponent* owner) : TFlatCheckControl(owner) {}
    void SetChecked(bool checked) override;

protected:
    void Toggle() override { SetChecked(true); }
    void DrawMark(TCanvas& canvas, const TRect& box, const theme::TPressState& state) override;
};
