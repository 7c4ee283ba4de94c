#include "Timer.hpp"

#include "Application.hpp"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    Schedule();
}

TTimer::~TTimer() {
    if (Application)
        Application->CancelTimer(this);
}

void TTimer::SetInterval(int ms) {
    interval_ = ms;
    Schedule();
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Schedule();
}

void TTimer::Schedule() {
    if (!Application)
        return;
    Application->CancelTimer(this);
    if (enabled_ && interval_ > 0)
        Application->ScheduleTimer(this, Application->NowMs() + interval_);
}

void TTimer::Tick() {
    // The next deadline counts from this tick, as a window timer does.
    Schedule();
    Raise(OnTimer, this);
}
