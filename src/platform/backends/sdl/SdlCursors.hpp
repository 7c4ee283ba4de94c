// The SDL cursors for our cursor ids: standard ids map to SDL's system cursors,
// registered shapes become colour-less 32 x 32 cursors. Each is made once.
#pragma once

#include "../../Cursor.hpp"

#include <map>

struct SDL_Cursor;

class SdlCursors {
public:
    SdlCursors() = default;
    SdlCursors(const SdlCursors&) = delete;
    SdlCursors& operator=(const SdlCursors&) = delete;
    ~SdlCursors();

    // Shows the cursor of id (shape: its registered shape, or null) at once.
    void Show(int id, const TCursorShape* shape);

private:
    SDL_Cursor* System(int id);
    SDL_Cursor* Shaped(int id, const TCursorShape& shape);

    struct Made {
        TCursorShape shape;
        SDL_Cursor* cursor = nullptr;
    };
    std::map<int, SDL_Cursor*> system_; // by SDL_SystemCursor
    std::map<int, Made> shaped_;        // by our id
};
