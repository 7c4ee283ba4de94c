#include "FlatCheckBox.hpp"

void TFlatCheckBox::DrawMark(TCanvas& canvas, const TRect& box, const theme::TPressState& state) {
    theme::DrawCheckBox(canvas, box, Checked(), state);
}
