#include "FlatRadioButton.hpp"

void TFlatRadioButton::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    // The others go first, so a handler of this click sees the group settled.
    if (checked && Parent())
        for (TControl* c : Parent()->Controls())
            if (auto* other = dynamic_cast<TFlatRadioButton*>(c); other && other != this)
                other->StoreChecked(false);
    TFlatCheckControl::SetChecked(checked);
}

void TFlatRadioButton::DrawMark(TCanvas& canvas, const TRect& box,
                                const theme::TPressState& state) {
    theme::DrawRadio(canvas, box, Checked(), state);
}
