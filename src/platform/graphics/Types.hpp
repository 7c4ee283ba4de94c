// Integer points and rectangles in pixel coordinates (y grows downwards).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// v clamped to the int32 range; rectangle arithmetic saturates instead of overflowing.
inline int32_t SaturateToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A pixel position.
struct TPoint {
    int32_t x = 0; // column
    int32_t y = 0; // row

    // Both coordinates equal.
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle; Right and Bottom are exclusive, so {0, 0, 10, 10} covers pixels 0..9 each way.
struct TRect {
    int32_t Left = 0;   // first column inside
    int32_t Top = 0;    // first row inside
    int32_t Right = 0;  // first column past the rectangle
    int32_t Bottom = 0; // first row past the rectangle

    // Right - Left, saturated to the int32 range (negative for an inverted rectangle).
    int32_t Width() const { return SaturateToInt32(int64_t{Right} - Left); }
    // Bottom - Top, saturated to the int32 range (negative for an inverted rectangle).
    int32_t Height() const { return SaturateToInt32(int64_t{Bottom} - Top); }
    // True when the rectangle covers no pixel.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // True when pixel p lies inside.
    bool Contains(TPoint p) const {
        return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom;
    }
    // The common part of both rectangles; {0, 0, 0, 0} when they do not meet.
    [[nodiscard]] TRect Intersect(const TRect& other) const {
        TRect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                std::min(Bottom, other.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    // The smallest rectangle holding both; an empty operand is ignored.
    [[nodiscard]] TRect Union(const TRect& other) const {
        if (other.IsEmpty())
            return *this;
        if (IsEmpty())
            return other;
        return {std::min(Left, other.Left), std::min(Top, other.Top), std::max(Right, other.Right),
                std::max(Bottom, other.Bottom)};
    }
    // This rectangle moved by (dx, dy), each edge saturated to the int32 range.
    [[nodiscard]] TRect Offset(int32_t dx, int32_t dy) const {
        return {SaturateToInt32(int64_t{Left} + dx), SaturateToInt32(int64_t{Top} + dy),
                SaturateToInt32(int64_t{Right} + dx), SaturateToInt32(int64_t{Bottom} + dy)};
    }
    // All four edges equal.
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The rectangle with top-left (left, top) and the given size.
inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, SaturateToInt32(int64_t{left} + width),
            SaturateToInt32(int64_t{top} + height)};
}
