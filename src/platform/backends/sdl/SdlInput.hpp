// Turns SDL's mouse, wheel, keyboard, text and window events into our raw input.
#pragma once

#include "../Backend.hpp"

union SDL_Event;

class SdlInput {
public:
    // Translates one SDL event; false when it means nothing to the application.
    // With people's input off (a script drives the session), mouse, keys and
    // text are dropped so that nothing but the script changes what windows show.
    bool Translate(const SDL_Event& sdl, InputEvent& event, bool peoplesInput);

private:
    TShiftState buttons_ = 0; // buttons held, kept as a script keeps them
};
