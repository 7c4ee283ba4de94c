// The desktop backend: real windows on SDL2.
//
// Implements every call of Backend:
// - one native window per top-level form, titled by its Caption, sized to its
//   client area, resizable only when the form asks for it; a window shown
//   later stays above the ones shown before it (it is transient for them);
// - Present keeps a copy of the form's picture and shows it; whenever the
//   window's pixels may be gone (shown, exposed, resized by the window manager,
//   restored) the backend shows its copy again without asking the form;
// - input: mouse buttons, motion and wheel (SDL holds the mouse while a button
//   is down, so a drag goes on outside the window), keys, text, the close box
//   (InputKind::Close) and resizes; which form takes it is the core's business;
// - a form's icon becomes the window's icon (what the window manager shows);
// - the clock is the real one (milliseconds since the backend opened);
// - cursors: SDL's system cursors for the standard ids, registered shapes as
//   32 x 32 monochrome cursors, shown at once;
// - message boxes: our own modal box over the calling window (SdlMessageBox);
// - the screen size is that of the first display.
// Optional: ReadBack (the surface as last presented).
//
// While a script drives the session (Scripted()), people's mouse and keys are
// ignored, message boxes answer themselves after showing for kScriptedBoxMs and
// the session ends with the script, as on the headless backend.
#pragma once

#include "../../graphics/Bitmap.hpp"
#include "../Backend.hpp"
#include "SdlCursors.hpp"
#include "SdlInput.hpp"

#include <map>
#include <memory>
#include <vector>

struct SDL_Window;

class SdlBackend : public Backend {
public:
    // Opens the display; null when none is named or SDL's video cannot start.
    static std::unique_ptr<SdlBackend> Open();
    ~SdlBackend() override;

    const char* Name() const override { return "sdl"; }
    bool Has(BackendFeature feature) const override { return feature == BackendFeature::ReadBack; }
    int CreateWindow(const WindowSpec& request) override;
    void DestroyWindow(int window) override;
    void ShowWindow(int window, bool visible) override;
    void RaiseWindow(int window) override;
    void SetWindowTitle(int window, const std::string& title) override;
    void SetWindowIcon(int window, const TBitmap& icon) override;
    void SetWindowBounds(int window, int x, int y, int width, int height) override;
    void Present(int window, const TBitmap& picture, const TRect& region) override;
    WaitResult WaitEvent(std::optional<int64_t> deadline, InputEvent& event) override;
    int64_t NowMs() override;
    void SetCursor(int id, const TCursorShape* shape) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    TPoint ScreenSize() override;
    bool ReadPresented(int window, TBitmap& picture) override;

    // How long a message box stays up in a scripted session before it answers itself.
    static constexpr int kScriptedBoxMs = 1000;

private:
    SdlBackend();
    struct Window {
        SDL_Window* native = nullptr;
        int x = 0, y = 0;       // the position last asked for
        bool presented = false; // something was presented since the window was made
        TBitmap picture;        // what the window shows, as last presented
    };
    Window* Find(int window);
    // Shows a window's kept picture again.
    void Redraw(int window);
    // Whether an event means the window's pixels on the screen may be lost.
    static bool NeedsRedraw(const union SDL_Event& sdl);
    // Handles what the backend deals with itself; true when event was filled.
    bool Take(const union SDL_Event& sdl, InputEvent& event);
    // The window a message box belongs over: the last one shown that is still up.
    SDL_Window* CallingWindow();

    uint64_t start_ = 0;
    std::map<int, Window> windows_;
    std::vector<int> shown_; // shown windows, in the order they were shown
    SdlInput input_;
    std::unique_ptr<SdlCursors> cursors_; // freed before the video subsystem stops
};
