// TSpeedButton: a button without focus that shows a glyph and/or a caption. With a GroupIndex
// it latches down and releases the other buttons of its group on the same parent; AllowAllUp
// lets a click release the one that is down.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"
#include "graphics/Bitmap.hpp"

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner);

    // Frame only while the pointer is over it or it is down [false].
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // Toggle group among the parent's speed buttons; 0 is none [0].
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    // A click on the button that is down releases it [false].
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    // Latched down; always false without a group, and only another button of the group
    // releases it unless AllowAllUp [false].
    bool Down() const { return down_; }
    void SetDown(bool down);
    // Picture beside the caption; its bottom-left pixel's colour is transparent.
    const TBitmap& Glyph() const { return glyph_; }
    void SetGlyph(const TBitmap& glyph);
    // Pixels between glyph and caption [4].
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

    // Held down by the mouse right now.
    bool Pressed() const { return pressed_; }
    // The pointer is over it.
    bool Hot() const { return hot_; }

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetEnabled(bool enabled) override;

protected:
    // How the frame shows; flat-look buttons frame themselves always.
    virtual theme::TButtonFrame FrameStyle() const;
    theme::TPressState PressState() const;

private:
    // Releases the other buttons of the group.
    void ReleaseGroup();
    bool flat_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    TBitmap glyph_;
    int spacing_ = 4;
    bool pressed_ = false, tracking_ = false, hot_ = false;
};
