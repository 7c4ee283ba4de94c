#include "SdlInput.hpp"

#include <SDL.h>

#include <map>

namespace {

TShiftState Modifiers() {
    SDL_Keymod mod = SDL_GetModState();
    TShiftState shift = 0;
    if (mod & KMOD_SHIFT)
        shift |= ssShift;
    if (mod & KMOD_ALT)
        shift |= ssAlt;
    if (mod & KMOD_CTRL)
        shift |= ssCtrl;
    return shift;
}

bool Button(uint8_t sdlButton, TMouseButton& button, TShiftState& bit) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        button = mbLeft;
        bit = ssLeft;
        return true;
    case SDL_BUTTON_RIGHT:
        button = mbRight;
        bit = ssRight;
        return true;
    case SDL_BUTTON_MIDDLE:
        button = mbMiddle;
        bit = ssMiddle;
        return true;
    default:
        return false;
    }
}

// Our virtual key code of an SDL key, or 0 when it has none.
int VirtualKey(int sdlKey) {
    static const std::map<int, int> keys = {
        {SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN},
        {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
        {SDLK_PAGEUP, VK_PRIOR},    {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_END, VK_END},
        {SDLK_HOME, VK_HOME},       {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},
        {SDLK_RIGHT, VK_RIGHT},     {SDLK_DOWN, VK_DOWN},     {SDLK_DELETE, VK_DELETE},
        {SDLK_INSERT, 0x2D},        {SDLK_KP_MINUS, 0x6D},    {SDLK_KP_PLUS, 0x6B},
        {SDLK_MINUS, 0xBD},         {SDLK_PLUS, 0xBB},        {SDLK_EQUALS, 0xBB},
    };
    if (auto it = keys.find(sdlKey); it != keys.end())
        return it->second;
    // Letters and digits are their upper-case characters; F1.. and the keypad digits count up.
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z)
        return 'A' + (sdlKey - SDLK_a);
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9)
        return sdlKey;
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12)
        return 0x70 + (sdlKey - SDLK_F1);
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9)
        return 0x61 + (sdlKey - SDLK_KP_1);
    if (sdlKey == SDLK_KP_0)
        return 0x60;
    return 0;
}

} // namespace

bool SdlInput::Translate(const SDL_Event& sdl, InputEvent& event, bool peoplesInput) {
    event = InputEvent{};
    switch (sdl.type) {
    case SDL_WINDOWEVENT:
        event.window = static_cast<int>(sdl.window.windowID);
        switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.kind = InputKind::Close;
            return true;
        case SDL_WINDOWEVENT_RESIZED:
            event.kind = InputKind::Resize;
            event.width = sdl.window.data1;
            event.height = sdl.window.data2;
            return true;
        case SDL_WINDOWEVENT_LEAVE:
            // The pointer left: hover ends, unless a drag holds the mouse.
            if (!peoplesInput || buttons_ != 0)
                return false;
            event.kind = InputKind::MouseMove;
            event.x = event.y = -1;
            event.shift = Modifiers();
            return true;
        default:
            return false;
        }
    case SDL_MOUSEMOTION:
        if (!peoplesInput)
            return false;
        event.kind = InputKind::MouseMove;
        event.window = static_cast<int>(sdl.motion.windowID);
        event.x = sdl.motion.x;
        event.y = sdl.motion.y;
        event.shift = Modifiers() | buttons_;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        TShiftState bit = 0;
        if (!peoplesInput || !Button(sdl.button.button, event.button, bit))
            return false;
        bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
        event.kind = down ? InputKind::MouseDown : InputKind::MouseUp;
        event.window = static_cast<int>(sdl.button.windowID);
        event.x = sdl.button.x;
        event.y = sdl.button.y;
        // As in a script: a press already holds its button, a release still does.
        if (down)
            buttons_ |= bit;
        event.shift = Modifiers() | buttons_;
        if (!down)
            buttons_ &= ~bit;
        return true;
    }
    case SDL_MOUSEWHEEL: {
        if (!peoplesInput || sdl.wheel.y == 0)
            return false;
        int notches = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
        event.kind = InputKind::MouseWheel;
        event.window = static_cast<int>(sdl.wheel.windowID);
        event.x = sdl.wheel.mouseX;
        event.y = sdl.wheel.mouseY;
        event.delta = 120 * notches;
        event.shift = Modifiers() | buttons_;
        return true;
    }
    case SDL_KEYDOWN:
        if (!peoplesInput)
            return false;
        event.kind = InputKind::KeyDown;
        event.window = static_cast<int>(sdl.key.windowID);
        event.key = VirtualKey(sdl.key.keysym.sym);
        event.shift = Modifiers();
        return event.key != 0;
    case SDL_TEXTINPUT:
        if (!peoplesInput)
            return false;
        event.kind = InputKind::Text;
        event.window = static_cast<int>(sdl.text.windowID);
        event.text = sdl.text.text;
        return !event.text.empty();
    default:
        return false;
    }
}
