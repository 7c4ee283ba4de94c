// TScreen: the screen's size, the screen cursor and the registry of cursor shapes.
#pragma once

#include "Cursor.hpp"

#include <map>

class TScreen {
public:
    int Width() const;
    int Height() const;
    // The screen cursor; anything but crDefault overrides every control's cursor.
    int Cursor() const { return cursor_; }
    // Takes effect at once, even inside a handler that processes no messages.
    void SetCursor(int cursor);
    // Registers (or replaces) the shape shown for a positive cursor id.
    void RegisterCursor(int id, const TCursorShape& shape) { shapes_[id] = shape; }
    // The registered shape of an id, or null.
    const TCursorShape* CursorShape(int id) const;

private:
    int cursor_ = 0;
    std::map<int, TCursorShape> shapes_;
};

// The process's screen object.
extern TScreen* Screen;
