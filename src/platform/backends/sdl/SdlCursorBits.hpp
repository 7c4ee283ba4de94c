// The desktop's two-mask cursor form turned into SDL's data/mask form.
#pragma once

#include "../../Cursor.hpp"

#include <array>
#include <cstdint>

// 32 rows of 4 bytes each, most significant bit the leftmost pixel.
struct SdlCursorBits {
    std::array<uint8_t, 128> data{};
    std::array<uint8_t, 128> mask{};
};

// Per pixel, AND/XOR become data/mask: transparent 1/0 -> 0/0, black 0/0 -> 1/1,
// white 0/1 -> 0/1, inverting 1/1 -> 1/0.
SdlCursorBits ToSdlCursorBits(const TCursorShape& shape);
