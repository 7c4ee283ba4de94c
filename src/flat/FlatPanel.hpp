// TFlatPanel: a flat container, optionally in its parent's colour and with a thin border.
#pragma once

#include "Control.hpp"

class TFlatPanel : public TCustomControl {
public:
    explicit TFlatPanel(TComponent* owner);

    // Paints with the parent's colour instead of its own [false].
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    // Colour of a one-pixel border, clNone for none [clNone].
    TColor ColorBorder() const { return colorBorder_; }
    void SetColorBorder(TColor c);
    // The colour the panel shows.
    TColor FaceColor() const;

    TRect ClientRect() const override;
    void Paint() override;

private:
    bool parentColor_ = false;
    TColor colorBorder_ = clNone;
};
