// TStaticText: a windowed line of text with an optional frame; with AutoSize it fits its text.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

class TStaticText : public TWinControl {
public:
    explicit TStaticText(TComponent* owner);

    // Placement of the text [taLeftJustify].
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Fits the size to the text (and frame) on caption changes [true].
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Frame around the text [sbsNone].
    TStaticBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TStaticBorderStyle style);

    void SetCaption(const std::string& caption) override;
    // Fits the size to the text now.
    void AdjustBounds();
    void Paint() override;

private:
    int FrameSize() const { return borderStyle_ == sbsNone ? 0 : 1; }
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TStaticBorderStyle borderStyle_ = sbsNone;
};
