// The 18 cursor shapes of the image views, registered under ids 1778..1795.
#pragma once

#include "Cursor.hpp"

#include <array>
#include <string_view>

constexpr int kFirstViewCursor = 1778;
constexpr int kViewCursorCount = 18;
constexpr int crViewCross1 = 1784; // one-pixel cross through the cell: the editor's cursor
constexpr int crViewCross3 = 1785; // cross with a 7 x 7 square: a new view's cursor

// Resource names in id order, from 1778.
extern const std::array<std::string_view, kViewCursorCount> kViewCursorNames;

// The drawing of the cursor registered as id (1778..1795).
TCursorShape ViewCursorShape(int id);
// Registers (again) all 18 shapes with the screen.
void RegisterViewCursors();
