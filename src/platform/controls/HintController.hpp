// THintController: shows the hovered control's short hint as a tool tip after the pointer has
// rested on it for HintPause, and takes it away after HintHidePause, when the pointer moves to
// another control, or at a press of a button or key. The application owns one.
#pragma once

#include "Timer.hpp"

#include <memory>
#include <string>

class TControl;
class THintWindow;

class THintController {
public:
    THintController();
    ~THintController();

    // Milliseconds of rest before the tip shows [500], before it hides again [2500], and before
    // the next control's tip shows while one is up [50].
    int HintPause = 500;
    int HintHidePause = 2500;
    int HintShortPause = 50;

    // The pointer has moved onto control (or off every control).
    void HoverChanged(TControl* control);
    // A button or key was pressed: the tip goes and waits for the next hover.
    void Cancel();
    // control is going away or stops taking input.
    void Forget(TControl* control);

    // The tip on screen, or null.
    THintWindow* Window() const { return window_; }
    // The text of the tip on screen, empty when none shows.
    std::string Text() const;

private:
    void Tick();
    void Hide();
    // The control whose hint applies at control: itself or the nearest parent with a hint.
    static TControl* HintSource(TControl* control);

    TTimer timer_;
    TControl* hovered_ = nullptr;
    THintWindow* window_ = nullptr;
    bool waitingToShow_ = false;
};
