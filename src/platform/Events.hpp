// Event types: bound callables with the sender first. An empty std::function
// is an unassigned event and is never raised.
#pragma once

#include "Input.hpp"

#include <functional>

class TObject;
class TCanvas;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int delta, int x, int y, bool& handled)>;
using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

// Raises an event when it is assigned.
template <class Event, class... Args> void Raise(const Event& event, Args&&... args) {
    if (event)
        event(std::forward<Args>(args)...);
}
