#include "FlatSpeedButton.hpp"

TFlatSpeedButton::TFlatSpeedButton(TComponent* owner) : TSpeedButton(owner) {
    SetFlat(true);
    SetBounds(0, 0, 84, 25);
}
