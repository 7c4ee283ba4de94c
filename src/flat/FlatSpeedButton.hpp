// TFlatSpeedButton: a speed button of the flat-look set, always framed, with the caption in its
// own font (the windows use bold captions in a colour per button). Grouping, AllowAllUp, Down,
// Tag, Hint and the glyph work as on TSpeedButton.
#pragma once

#include "controls/SpeedButton.hpp"

class TFlatSpeedButton : public TSpeedButton {
public:
    explicit TFlatSpeedButton(TComponent* owner);

protected:
    theme::TButtonFrame FrameStyle() const override { return theme::TButtonFrame::Always; }
};
