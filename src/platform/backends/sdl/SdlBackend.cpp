#include "SdlBackend.hpp"

#include "../../graphics/Bitmap.hpp"
#include "SdlMessageBox.hpp"
#include "SdlPicture.hpp"
#include "SdlX11Errors.hpp"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

std::unique_ptr<SdlBackend> SdlBackend::Open() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland))
        return nullptr;
    // The display that is named, and no other: a bad DISPLAY must not land on a
    // console or off-screen driver where no one sees the windows. SDL_VIDEODRIVER
    // in the environment still wins.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && *x11 ? "x11" : "wayland");
    // Ctrl+C in the terminal ends the program as usual instead of becoming a quit event.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The plain window framebuffer: our pixels go to the screen as they are, and at once.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // An ordinary desktop window: leave the compositor on.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The click that activates a window also reaches it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Before SDL's video starts: SDL keeps the handler it finds and puts it back when
    // its video stops, so ours also sees the errors that arrive as the connections close.
    SurviveX11Errors();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    return std::unique_ptr<SdlBackend>(new SdlBackend());
}

SdlBackend::SdlBackend() : start_(SDL_GetTicks64()), cursors_(std::make_unique<SdlCursors>()) {}

SdlBackend::~SdlBackend() {
    for (auto& [id, window] : windows_)
        SDL_DestroyWindow(window.native);
    cursors_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SdlBackend::Window* SdlBackend::Find(int window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

int SdlBackend::CreateWindow(const WindowSpec& request) {
    uint32_t flags = SDL_WINDOW_HIDDEN | (request.resizable ? SDL_WINDOW_RESIZABLE : 0);
    SDL_Window* native =
        SDL_CreateWindow(request.title.c_str(), request.x, request.y, std::max(1, request.width),
                         std::max(1, request.height), flags);
    if (!native)
        throw std::runtime_error(std::string("cannot create a window: ") + SDL_GetError());
    int id = static_cast<int>(SDL_GetWindowID(native));
    Window& w = windows_[id];
    w.native = native;
    w.x = request.x;
    w.y = request.y;
    return id;
}

void SdlBackend::DestroyWindow(int window) {
    if (Window* w = Find(window)) {
        SDL_DestroyWindow(w->native);
        windows_.erase(window);
    }
    shown_.erase(std::remove(shown_.begin(), shown_.end(), window), shown_.end());
}

void SdlBackend::ShowWindow(int window, bool visible) {
    Window* w = Find(window);
    if (!w)
        return;
    shown_.erase(std::remove(shown_.begin(), shown_.end(), window), shown_.end());
    if (!visible) {
        SDL_HideWindow(w->native);
        return;
    }
    // A window shown over others stays above them, as an owned window does.
    if (SDL_Window* below = CallingWindow())
        SDL_SetWindowModalFor(w->native, below);
    shown_.push_back(window);
    SDL_ShowWindow(w->native);
    SDL_RaiseWindow(w->native);
}

void SdlBackend::RaiseWindow(int window) {
    if (Window* w = Find(window))
        SDL_RaiseWindow(w->native);
}

void SdlBackend::SetWindowIcon(int window, const TBitmap& icon) {
    if (Window* w = Find(window))
        ShowIcon(w->native, icon);
}

void SdlBackend::SetWindowTitle(int window, const std::string& title) {
    if (Window* w = Find(window))
        SDL_SetWindowTitle(w->native, title.c_str());
}

void SdlBackend::SetWindowBounds(int window, int x, int y, int width, int height) {
    Window* w = Find(window);
    if (!w)
        return;
    // Only a new position moves the window: a person may have moved it since.
    if (x != w->x || y != w->y) {
        w->x = x;
        w->y = y;
        SDL_SetWindowPosition(w->native, x, y);
    }
    int shownWidth, shownHeight;
    SDL_GetWindowSize(w->native, &shownWidth, &shownHeight);
    if (std::max(1, width) != shownWidth || std::max(1, height) != shownHeight)
        SDL_SetWindowSize(w->native, std::max(1, width), std::max(1, height));
}

void SdlBackend::Present(int window, const TBitmap& picture, const TRect& region) {
    if (Window* w = Find(window)) {
        KeepPicture(picture, region, w->picture);
        PresentPicture(w->native, w->picture, region);
        w->presented = true;
    }
}

void SdlBackend::Redraw(int window) {
    if (Window* w = Find(window); w && w->presented)
        PresentPicture(w->native, w->picture, {0, 0, w->picture.Width(), w->picture.Height()});
}

bool SdlBackend::NeedsRedraw(const SDL_Event& sdl) {
    if (sdl.type != SDL_WINDOWEVENT)
        return false;
    switch (sdl.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
        return true;
    default:
        return false;
    }
}

bool SdlBackend::ReadPresented(int window, TBitmap& picture) {
    Window* w = Find(window);
    return w && w->presented && ReadPicture(w->native, picture);
}

bool SdlBackend::Take(const SDL_Event& sdl, InputEvent& event) {
    // Shown again from the kept picture, also for windows that take no input now.
    if (NeedsRedraw(sdl))
        Redraw(static_cast<int>(sdl.window.windowID));
    return input_.Translate(sdl, event, !Scripted());
}

WaitResult SdlBackend::WaitEvent(std::optional<int64_t> deadline, InputEvent& event) {
    // Without a deadline a scripted session has run out of script; a session
    // without a window shown can get no input.
    if (!deadline && (Scripted() || shown_.empty()))
        return WaitResult::NoInput;
    SDL_Event sdl;
    for (;;) {
        if (!deadline) {
            if (SDL_WaitEvent(&sdl) && Take(sdl, event))
                return WaitResult::Event;
            continue;
        }
        // What is there already comes before a timer that is due.
        int64_t left = *deadline - NowMs();
        bool got =
            left <= 0
                ? SDL_PollEvent(&sdl)
                : SDL_WaitEventTimeout(&sdl, static_cast<int>(std::min<int64_t>(left, INT_MAX)));
        if (got && Take(sdl, event))
            return WaitResult::Event;
        if (NowMs() >= *deadline && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
            return WaitResult::Timeout;
    }
}

int64_t SdlBackend::NowMs() {
    return static_cast<int64_t>(SDL_GetTicks64() - start_);
}

void SdlBackend::SetCursor(int id, const TCursorShape* shape) {
    cursors_->Show(id, shape);
}

SDL_Window* SdlBackend::CallingWindow() {
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
        if (Window* w = Find(*it))
            return w->native;
    return nullptr;
}

void SdlBackend::MessageBox(const std::string& text, const std::string& caption) {
    // The same line as on the headless backend, so a session's transcript does not
    // depend on where it ran.
    std::cout << "message: " << text << std::endl;
    std::optional<int> answerAfter;
    if (Scripted())
        answerAfter = kScriptedBoxMs;
    RunMessageBox(text, caption, CallingWindow(), answerAfter, [this](const SDL_Event& sdl) {
        if (NeedsRedraw(sdl))
            Redraw(static_cast<int>(sdl.window.windowID));
    });
}

TPoint SdlBackend::ScreenSize() {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0)
        return {1280, 1024};
    return {bounds.w, bounds.h};
}
