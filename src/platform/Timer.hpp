// TTimer: a per-control timer whose ticks arrive as events on the GUI thread.
#pragma once

#include "Component.hpp"
#include "Events.hpp"

#include <cstdint>

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    int Interval() const { return interval_; }
    // Changing the interval of a running timer restarts its count.
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Called by the application when the deadline has passed.
    void Tick();

    TNotifyEvent OnTimer;

private:
    void Schedule();
    int interval_ = 1000;
    bool enabled_ = true;
};
