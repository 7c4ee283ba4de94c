// TSplitter: a bar between a left- (or right-) aligned control and the rest of its parent.
// Dragging it resizes that neighbour live.
#pragma once

#include "Control.hpp"

class TSplitter : public TControl {
public:
    explicit TSplitter(TComponent* owner);

    // A grip drawn on the bar [false].
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool beveled);
    // Smallest width left to the neighbour and to the space on the other side [30].
    int MinSize() const { return minSize_; }
    void SetMinSize(int size) { minSize_ = size < 1 ? 1 : size; }
    // The control the splitter resizes: the visible sibling that touches its aligned side.
    TControl* Neighbour() const;

    // Raised once a drag has ended.
    TNotifyEvent OnMoved;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // Width the neighbour gets when the pointer is at form column formX.
    int DraggedWidth(int formX) const;
    bool beveled_ = false;
    int minSize_ = 30;
    TControl* dragged_ = nullptr;
    int downFormX_ = 0, downWidth_ = 0;
};
