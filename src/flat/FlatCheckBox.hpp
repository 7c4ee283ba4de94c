// TFlatCheckBox: a flat check box; a click or the space bar toggles Checked.
#pragma once

#include "FlatCheckControl.hpp"

class TFlatCheckBox : public TFlatCheckControl {
public:
    explicit TFlatCheckBox(TComponent* owner) : TFlatCheckControl(owner) {}

protected:
    void Toggle() override { SetChecked(!Checked()); }
    void DrawMark(TCanvas& canvas, const TRect& box, const theme::TPressState& state) override;
};
