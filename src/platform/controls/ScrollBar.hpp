// TScrollBar: a horizontal or vertical scroll bar with two arrow buttons, a
// track and a thumb. Clicks on the arrows step by SmallChange, clicks on the
// track by LargeChange, the thumb can be dragged, Home and End go to the ends.
// Every user action raises OnScroll with a proposed position, which the handler
// may change; the bar then takes it.
#pragma once

#include "Control.hpp"

#include <functional>

enum TScrollBarKind { sbHorizontal, sbVertical };
// What the user did.
enum TScrollCode {
    scLineUp,   // arrow at the start (left or top)
    scLineDown, // arrow at the end
    scPageUp,   // track before the thumb
    scPageDown, // track after the thumb
    scPosition, // thumb released at a position
    scTrack,    // thumb being dragged
    scTop,      // to the start
    scBottom,   // to the end
    scEndScroll // the action is over
};

using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& scrollPos)>;

class TScrollBar : public TCustomControl {
public:
    // The system's scroll bar thickness in pixels.
    static constexpr int kThickness = 16;

    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return min_; }
    int Max() const { return max_; }
    // Sets Min and Max (max below min is raised to min) and clamps the position.
    void SetRange(int min, int max);
    void SetMin(int v) { SetRange(v, max_); }
    void SetMax(int v) { SetRange(min_, v); }
    // Size of the visible part in units (0: a minimal thumb); the thumb's length follows it.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int Position() const { return position_; }
    // Moves the thumb (clamped to Min..Max - max(PageSize - 1, 0)); raises OnChange, not OnScroll.
    void SetPosition(int v);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = v; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) { largeChange_ = v; }
    // The highest position the thumb can take.
    int MaxPosition() const;

    // Performs a user action as a click or key would.
    void Scroll(TScrollCode code);

    // Geometry, in the control's coordinates along its length.
    int ArrowLength() const;
    // The thumb's first pixel and length along the bar.
    int ThumbStart() const;
    int ThumbLength() const;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

private:
    int Length() const;
    int TrackLength() const;
    // Position for a thumb whose first pixel is at start.
    int PositionAt(int thumbStart) const;
    // Raises OnScroll with proposed and takes what the handler leaves.
    void DoScroll(TScrollCode code, int proposed);
    int Along(int x, int y) const { return kind_ == sbHorizontal ? x : y; }

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, pageSize_ = 0, position_ = 0;
    int smallChange_ = 1, largeChange_ = 1;
    bool dragging_ = false;
    int dragOffset_ = 0; // pointer position within the thumb at the press
};
