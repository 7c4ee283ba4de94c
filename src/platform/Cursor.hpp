// A 32 x 32 monochrome cursor shape in the desktop platform's two-mask form.
#pragma once

#include <array>
#include <cstdint>

// Per pixel: AND 1 / XOR 0 transparent, 0/0 black, 0/1 white, 1/1 inverts the screen.
// Row r of a mask is one 32-bit word, bit 31 the leftmost pixel.
struct TCursorShape {
    std::array<uint32_t, 32> andMask{};
    std::array<uint32_t, 32> xorMask{};
    int hotX = 0;
    int hotY = 0;
};
