#include "SdlCursors.hpp"

#include "../../Cursor.hpp"
#include "SdlCursorBits.hpp"

#include <SDL.h>

namespace {

bool SameShape(const TCursorShape& a, const TCursorShape& b) {
    return a.andMask == b.andMask && a.xorMask == b.xorMask && a.hotX == b.hotX && a.hotY == b.hotY;
}

SDL_SystemCursor SystemCursorFor(int id) {
    switch (id) {
    case crHourGlass:
        return SDL_SYSTEM_CURSOR_WAIT;
    case crHandPoint:
        return SDL_SYSTEM_CURSOR_HAND;
    case crHSplit:
    case crSizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case crVSplit:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case crCross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case crIBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    default: // crDefault, crArrow and ids without a shape
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

} // namespace

SdlCursors::~SdlCursors() {
    for (auto& [id, cursor] : system_)
        SDL_FreeCursor(cursor);
    for (auto& [id, made] : shaped_)
        SDL_FreeCursor(made.cursor);
}

SDL_Cursor* SdlCursors::System(int id) {
    SDL_SystemCursor which = SystemCursorFor(id);
    SDL_Cursor*& cursor = system_[which];
    if (!cursor)
        cursor = SDL_CreateSystemCursor(which);
    return cursor;
}

SDL_Cursor* SdlCursors::Shaped(int id, const TCursorShape& shape) {
    Made& made = shaped_[id];
    if (made.cursor && SameShape(made.shape, shape))
        return made.cursor;
    // A shape registered again under the same id replaces the old one.
    if (made.cursor)
        SDL_FreeCursor(made.cursor);
    SdlCursorBits bits = ToSdlCursorBits(shape);
    made.shape = shape;
    made.cursor =
        SDL_CreateCursor(bits.data.data(), bits.mask.data(), 32, 32, shape.hotX, shape.hotY);
    return made.cursor;
}

void SdlCursors::Show(int id, const TCursorShape* shape) {
    if (id == crNone) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor* cursor = shape ? Shaped(id, *shape) : nullptr;
    if (!cursor)
        cursor = System(id);
    SDL_ShowCursor(SDL_ENABLE);
    // SDL_SetCursor defines and flushes at once, so the cursor changes even
    // inside a long handler that reads no events.
    if (cursor)
        SDL_SetCursor(cursor);
}
