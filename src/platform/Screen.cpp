#include "Screen.hpp"

#include "Application.hpp"

namespace {
TScreen screenObject;
}
TScreen* Screen = &screenObject;

int TScreen::Width() const {
    return Application ? Application->backend().ScreenSize().x : 0;
}

int TScreen::Height() const {
    return Application ? Application->backend().ScreenSize().y : 0;
}

void TScreen::SetCursor(int cursor) {
    cursor_ = cursor;
    if (Application)
        Application->UpdateCursor();
}

const TCursorShape* TScreen::CursorShape(int id) const {
    auto it = shapes_.find(id);
    return it == shapes_.end() ? nullptr : &it->second;
}
