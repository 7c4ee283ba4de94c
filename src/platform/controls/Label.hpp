// TLabel: a line of text drawn on its parent. With AutoSize the label fits its text; a
// right-aligned label keeps its right edge where it was placed, a centred one its centre.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    // Placement of the text [taLeftJustify].
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Fits the bounds to the text on every change of caption or font [true].
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Leaves the parent showing behind the text [true]; false fills with Color().
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    void SetCaption(const std::string& caption) override;
    // Fits the bounds to the text now (caption and font changes do it themselves).
    void AdjustBounds();
    void Paint() override;

private:
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = true;
};
