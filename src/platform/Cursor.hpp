// The cursor vocabulary shared by controls and backends: the standard cursor
// ids and a 32 x 32 monochrome shape in the desktop platform's two-mask form.
#pragma once

#include <array>
#include <cstdint>

// Standard cursor ids; positive ids name shapes registered with Screen.
constexpr int crDefault = 0;
constexpr int crNone = -1;
constexpr int crArrow = -2;
constexpr int crCross = -3;
constexpr int crIBeam = -4;
constexpr int crSizeWE = -9;
constexpr int crHourGlass = -11;
constexpr int crHSplit = -14;
constexpr int crVSplit = -15;
constexpr int crHandPoint = -21;

// Per pixel: AND 1 / XOR 0 transparent, 0/0 black, 0/1 white, 1/1 inverts the screen.
// Row r of a mask is one 32-bit word, bit 31 the leftmost pixel.
struct TCursorShape {
    std::array<uint32_t, 32> andMask{};
    std::array<uint32_t, 32> xorMask{};
    int hotX = 0;
    int hotY = 0;
};
