// Internal: 128-bit helpers for pixel arithmetic on coordinates near the int32 limits, where
// products of two 64-bit coordinates do not fit into 64 bits.
#pragma once

#include <cstdint>

__extension__ typedef __int128 Int128;           // signed 128-bit integer
__extension__ typedef unsigned __int128 UInt128; // unsigned 128-bit integer

// floor(a * b / c) for a, b >= 0 and c > 0, without overflow of the product.
inline int64_t MulDivFloor(int64_t a, int64_t b, int64_t c) {
    return static_cast<int64_t>(static_cast<Int128>(a) * b / c);
}
