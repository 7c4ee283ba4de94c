// Internal: reading and writing one pixel of a bitmap row in any of the three formats.
// Callers check the coordinates; nothing here does.
#pragma once

#include "graphics/Bitmap.hpp"

#include <cstdint>

namespace pixel_access {

// True when a 0x00BBGGRR value is light enough to become white in a 1-bit bitmap.
inline bool IsLight(uint32_t rgb) {
    return 299 * GetRValue(rgb) + 587 * GetGValue(rgb) + 114 * GetBValue(rgb) >= 128 * 1000;
}

// Row y counted from the top, without a range check.
inline uint8_t* Row(TBitmap& bmp, int y) {
    return bmp.Bits() + static_cast<int64_t>(bmp.Height() - 1 - y) * bmp.RowStride();
}

// Row y counted from the top, without a range check.
inline const uint8_t* Row(const TBitmap& bmp, int y) {
    return bmp.Bits() + static_cast<int64_t>(bmp.Height() - 1 - y) * bmp.RowStride();
}

// The 0x00BBGGRR value of pixel x of a row.
inline uint32_t Read(const uint8_t* row, int x, TPixelFormat pf) {
    switch (pf) {
    case pf1bit:
        return (row[x >> 3] >> (7 - (x & 7)) & 1) ? 0xFFFFFFu : 0u;
    case pf24bit: {
        const uint8_t* p = row + 3 * static_cast<int64_t>(x);
        return uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16;
    }
    case pf32bit: {
        const uint8_t* p = row + 4 * static_cast<int64_t>(x);
        return uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16;
    }
    }
    return 0;
}

// Stores a 0x00BBGGRR value into pixel x of a row (1 bit: by luminance; 32 bit: alpha 0).
inline void Write(uint8_t* row, int x, TPixelFormat pf, uint32_t rgb) {
    switch (pf) {
    case pf1bit: {
        uint8_t mask = static_cast<uint8_t>(0x80u >> (x & 7));
        if (IsLight(rgb))
            row[x >> 3] |= mask;
        else
            row[x >> 3] &= static_cast<uint8_t>(~mask);
        return;
    }
    case pf24bit: {
        uint8_t* p = row + 3 * static_cast<int64_t>(x);
        p[0] = GetBValue(rgb);
        p[1] = GetGValue(rgb);
        p[2] = GetRValue(rgb);
        return;
    }
    case pf32bit: {
        uint8_t* p = row + 4 * static_cast<int64_t>(x);
        p[0] = GetBValue(rgb);
        p[1] = GetGValue(rgb);
        p[2] = GetRValue(rgb);
        p[3] = 0;
        return;
    }
    }
}

} // namespace pixel_access
