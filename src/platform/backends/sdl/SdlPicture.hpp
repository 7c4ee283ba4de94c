// Moves pictures between our 24-bit bitmaps and an SDL window's surface.
//
// SDL may throw a window's surface away at any time (a window manager that
// configures the window, even to the size it has, makes the next surface a new,
// black one), so the backend keeps its own copy of each window's picture and
// pushes from that copy; a shot reads the window surface back.
#pragma once

#include "../../graphics/Types.hpp"

struct SDL_Window;
class TBitmap;

// Copies a region (client coordinates) of a 24-bit picture into the window and shows it.
void PresentPicture(SDL_Window* window, const TBitmap& picture, const TRect& region);
// Copies a region of a 24-bit picture into a copy of the same size (resized when it differs).
void KeepPicture(const TBitmap& picture, const TRect& region, TBitmap& copy);
// Makes a 24-bit picture the window's icon.
void ShowIcon(SDL_Window* window, const TBitmap& icon);
// Reads the window's surface into a 24-bit bitmap of the window's size.
bool ReadPicture(SDL_Window* window, TBitmap& picture);
