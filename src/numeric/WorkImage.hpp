#pragma once

#include <cstddef>
#include <cstdint>

// A working image: 24-bit pixels in blue, green, red order, rows stored bottom-up (the first
// row in memory is the bottom row as shown) and padded to a multiple of 4 bytes. The
// description does not own the pixels.
struct WorkImage {
    uint8_t* bits;     // first byte of the pixel memory (the bottom row)
    int32_t width;     // pixels per row
    int32_t height;    // rows
    int32_t rowStride; // bytes from one row to the next
};

// Padding bytes at the end of each row of a 24-bit image of this width (0 to 3).
inline constexpr int32_t RowPadFor(int32_t width) {
    const int32_t remainder = (3 * width) % 4;
    return remainder > 0 ? 4 - remainder : 0;
}

// Bytes from one row to the next of a 24-bit image of this width.
inline constexpr int32_t RowStrideFor(int32_t width) {
    return 3 * width + RowPadFor(width);
}

// First byte of row y counted from the top of the image as shown.
inline uint8_t* RowFromTop(const WorkImage& image, int32_t y) {
    return image.bits + static_cast<std::ptrdiff_t>(image.height - 1 - y) * image.rowStride;
}

// First byte of the pixel in column x, row y counted from the top.
inline uint8_t* PixelFromTop(const WorkImage& image, int32_t x, int32_t y) {
    return RowFromTop(image, y) + static_cast<std::ptrdiff_t>(3) * x;
}

// First byte of memory row r, counted from the bottom of the image (memory order).
inline uint8_t* RowFromBottom(const WorkImage& image, int32_t r) {
    return image.bits + static_cast<std::ptrdiff_t>(r) * image.rowStride;
}

// True when two images have the same width, height and row stride.
inline bool SameGeometry(const WorkImage& a, const WorkImage& b) {
    return a.width == b.width && a.height == b.height && a.rowStride == b.rowStride;
}
