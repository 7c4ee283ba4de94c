// TPanel: a container with a face colour, optional bevelled edges and a centred caption. Its
// children live inside the bevels; panels stacked on the same spot show the one in front.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    // Outer edge [bvRaised], inner edge [bvNone] and the width of each [1].
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // Placement of the caption [taCenter].
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    // The area inside both bevels.
    TRect ClientRect() const override;
    void Paint() override;

private:
    void EdgesChanged();
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    TAlignment alignment_ = taCenter;
};
