// TTrackBar: a slider whose thumb picks a Position in Min..Max. The user moves it by clicking
// or dragging (the thumb jumps under the pointer and follows it) and with the arrow, page, Home
// and End keys. OnChange follows every change of Position, by the user or by code.
//
// The control keeps its created look apart from its properties, as a native slider does: the
// selection-range style is read when the control is created (first paint, or RecreateWnd), so a
// subclass that changes it re-creates the control.
#pragma once

#include "Control.hpp"
#include "controls/Theme.hpp"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);

    // Range [0..10]; a Max below Min is raised to Min. Position is kept inside.
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    // Steps of the arrow keys [1] and the page keys [2].
    int LineSize() const { return lineSize_; }
    void SetLineSize(int v) { lineSize_ = v; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v) { pageSize_ = v; }
    // Positions between tick marks [1].
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    // Thumb size across the channel [20].
    int ThumbLength() const { return thumbLength_; }
    void SetThumbLength(int v);
    // Side of the tick marks [tmBottomRight] and which are drawn [tsAuto]: tsNone none,
    // tsAuto one per Frequency, tsManual the two ends.
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark v);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle v);
    // Only horizontal sliders are drawn and driven [trHorizontal].
    TTrackBarOrientation Orientation() const { return orientation_; }
    // The selection band, shown when the control was created with the selection-range style.
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    void SetSelStart(int v);
    void SetSelEnd(int v);

    TNotifyEvent OnChange;

    // The created control: whether it exists and whether it has the selection-range style.
    bool HandleAllocated() const { return created_; }
    bool HasSelRangeStyle() const { return selRangeStyle_; }

    // Geometry, in client pixels.
    TRect ChannelRect() const;
    TRect ThumbRect() const;
    // Position whose thumb centre lies nearest column x.
    int PositionAt(int x) const;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override { Invalidate(); }
    void DoExit() override { Invalidate(); }

protected:
    // What the control is created with; subclasses adjust it.
    struct TCreateParams {
        bool selRange = true; // draw the selection band
    };
    virtual void CreateParams(TCreateParams& params) const;
    // Creates the control now if it does not exist yet.
    void HandleNeeded();
    // Throws the created control away and creates it again from the properties.
    void RecreateWnd();

private:
    int ThumbAlong() const;
    int ColumnOf(int position) const;
    void Changed();
    int min_ = 0, max_ = 10, position_ = 0;
    int lineSize_ = 1, pageSize_ = 2, frequency_ = 1, thumbLength_ = 20;
    TTickMark tickMarks_ = tmBottomRight;
    TTickStyle tickStyle_ = tsAuto;
    TTrackBarOrientation orientation_ = trHorizontal;
    int selStart_ = 0, selEnd_ = 0;
    bool created_ = false, selRangeStyle_ = false;
    bool dragging_ = false, hot_ = false;
    int grab_ = 0; // pointer column minus thumb centre while dragging
};
