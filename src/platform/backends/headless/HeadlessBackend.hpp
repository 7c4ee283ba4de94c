// The headless backend: no native windows, a virtual clock, a fixed screen.
//
// Implements every call of Backend:
// - windows exist only as records; each form's picture stays in memory;
// - the clock moves only when the application waits for a deadline, and then
//   jumps straight to it, so timers fire in order and a wait costs nothing;
// - input comes only from the application's script; without a deadline there
//   is none (WaitResult::NoInput);
// - message boxes print "message: TEXT" on stdout and are answered OK;
// - the screen is 1280 x 1024.
#pragma once

#include "../Backend.hpp"

#include "../../graphics/Bitmap.hpp"

#include <map>
#include <memory>

class HeadlessBackend : public Backend {
public:
    const char* Name() const override { return "headless"; }
    int CreateWindow(const WindowSpec& request) override;
    void DestroyWindow(int window) override;
    void ShowWindow(int window, bool visible) override;
    void RaiseWindow(int window) override;
    void SetWindowTitle(int window, const std::string& title) override;
    void SetWindowIcon(int window, const TBitmap& icon) override;
    void SetWindowBounds(int window, int x, int y, int width, int height) override;
    void Present(int window, const TBitmap& picture, const TRect& region) override;
    WaitResult WaitEvent(std::optional<int64_t> deadline, InputEvent& event) override;
    int64_t NowMs() override { return clock_; }
    void SetCursor(int id, const TCursorShape* shape) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    TPoint ScreenSize() override { return {1280, 1024}; }

    // What a test can observe.
    const WindowSpec* Window(int window) const;
    int Cursor() const { return cursor_; }
    int PresentCount() const { return presents_; }
    // The icon a window was given, or null.
    const TBitmap* Icon(int window) const;
    // The window raised last, or -1.
    int Raised() const { return raised_; }

private:
    struct Record {
        WindowSpec layout;
        bool visible = false;
        std::shared_ptr<TBitmap> icon;
    };
    std::map<int, Record> windows_;
    int nextId_ = 1;
    int64_t clock_ = 0;
    int cursor_ = 0;
    int presents_ = 0;
    int raised_ = -1;
};
