// The one boundary to the outside world. A backend creates native windows,
// presents pictures composed above it, delivers input, tells the time, sets
// the cursor, shows message boxes and knows the screen size. Everything else,
// every control and every modal loop, lives above it and is the same on all
// backends.
#pragma once

#include "../Cursor.hpp"
#include "../Input.hpp"
#include "../graphics/Types.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TBitmap;

// What a native top-level window is made with.
struct WindowSpec {
    std::string title;
    int x = 0, y = 0;          // screen position of the client area
    int width = 0, height = 0; // client size
    bool resizable = true;
};

// Kinds of raw input a backend delivers.
enum class InputKind {
    MouseDown,
    MouseUp,
    MouseMove,
    MouseWheel,
    KeyDown,
    Text,
    Close,
    Expose,
    Resize
};

// One raw input event; coordinates are client pixels of the window.
struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    int window = -1;
    int x = 0, y = 0;
    TMouseButton button = mbLeft;
    TShiftState shift = 0;
    int delta = 0;             // wheel: positive away from the user, 120 per notch
    int key = 0;               // virtual key code
    std::string text;          // UTF-8 text input
    int width = 0, height = 0; // Resize: new client size
};

// Outcome of waiting for input.
enum class WaitResult {
    Event,   // an event was delivered
    Timeout, // the deadline passed
    NoInput, // no deadline and no input can ever come (headless without a script)
};

// Optional calls a backend may offer; the core asks Has() before making one.
enum class BackendFeature {
    ReadBack, // ReadPresented: what a window shows, read back from the backend
};

class Backend {
public:
    virtual ~Backend() = default;
    // "headless" or "sdl".
    virtual const char* Name() const = 0;
    // Whether the backend offers an optional call.
    virtual bool Has(BackendFeature) const { return false; }
    // Creates a hidden native window and returns its id.
    virtual int CreateWindow(const WindowSpec& request) = 0;
    virtual void DestroyWindow(int window) = 0;
    virtual void ShowWindow(int window, bool visible) = 0;
    // Puts a shown window above the others and gives it the keyboard.
    virtual void RaiseWindow(int window) = 0;
    virtual void SetWindowTitle(int window, const std::string& title) = 0;
    // Gives a window the icon the window manager shows for it (a 24-bit picture).
    virtual void SetWindowIcon(int window, const TBitmap& icon) = 0;
    // Moves and sizes a window; x, y place the client area on the screen.
    virtual void SetWindowBounds(int window, int x, int y, int width, int height) = 0;
    // Shows a region of a window's picture (client coordinates) on screen.
    virtual void Present(int window, const TBitmap& picture, const TRect& region) = 0;
    // Waits for the next event until the deadline (NowMs units); no deadline waits for input.
    virtual WaitResult WaitEvent(std::optional<int64_t> deadline, InputEvent& event) = 0;
    // Milliseconds on the backend's clock (virtual on headless).
    virtual int64_t NowMs() = 0;
    // Sets the screen cursor: a standard id (shape null) or a registered shape.
    virtual void SetCursor(int id, const TCursorShape* shape) = 0;
    // Shows a modal message box with an OK button and returns when it is answered.
    virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
    virtual TPoint ScreenSize() = 0;
    // The picture a window shows now, as the backend presented it. Only with ReadBack;
    // false when the window has shown nothing yet.
    virtual bool ReadPresented(int window, TBitmap& picture);

    // A script drives the session: no person answers message boxes or moves the mouse.
    void SetScripted(bool scripted) { scripted_ = scripted; }
    bool Scripted() const { return scripted_; }

private:
    bool scripted_ = false;
};

// Creates the backend named (headless or sdl); null when it cannot run here.
std::unique_ptr<Backend> CreateBackend(const std::string& name);
