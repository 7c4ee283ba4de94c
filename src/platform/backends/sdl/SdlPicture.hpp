// Moves pictures between our 24-bit bitmaps and an SDL window's surface.
//
// The window surface is the backend's copy of what the window shows: Present
// writes into it and pushes the written rows to the screen, an expose pushes
// it again, and a shot reads it back.
#pragma once

#include "../../graphics/Types.hpp"

struct SDL_Window;
class TBitmap;

// Copies a region (client coordinates) of a 24-bit picture into the window and shows it.
void PresentPicture(SDL_Window* window, const TBitmap& picture, const TRect& region);
// Shows the window's surface again as it is (after an expose).
void RepushPicture(SDL_Window* window);
// Reads the window's surface into a 24-bit bitmap of the window's size.
bool ReadPicture(SDL_Window* window, TBitmap& picture);
