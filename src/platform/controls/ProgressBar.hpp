// TProgressBar: a bar filled in proportion to Position within Min..Max. A run processes no
// messages while it works, so every change of position paints the bar at once.
#pragma once

#include "Control.hpp"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    // Range [0..100]; a Max below Min is raised to Min. Position is kept inside.
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    // Current position, clamped to the range [0].
    int Position() const { return position_; }
    void SetPosition(int v);
    // Amount StepIt adds [10].
    int Step() const { return step_; }
    void SetStep(int v) { step_ = v; }
    // Advances by Step, wrapping to Min past Max as the desktop bar does.
    void StepIt();
    // Advances by delta, clamped to the range.
    void StepBy(int delta);

    // Pixels of the inside that the current position fills.
    int FilledWidth() const;
    void Paint() override;

private:
    void Changed();
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
};
