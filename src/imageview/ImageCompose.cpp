#include "ImageCompose.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr int64_t kOne = 16384; // 1.0 in 14-bit fixed point

int64_t Step(int sourceSize, int targetSize) {
    return static_cast<int64_t>(static_cast<double>(sourceSize) / targetSize * kOne);
}

// Row y (from the top) of a bottom-up bitmap.
const uint8_t* Row(const TBitmap& b, int y) {
    return b.Bits() + static_cast<int64_t>(b.Height() - 1 - y) * b.RowStride();
}
uint8_t* Row(TBitmap& b, int y) {
    return b.Bits() + static_cast<int64_t>(b.Height() - 1 - y) * b.RowStride();
}

// Writes target columns [j0, j1) of one row from a source row.
void SampleRow(const TBitmap& src, const uint8_t* in, uint8_t* out, const std::vector<int>& cols,
               int j0, int j1) {
    switch (src.PixelFormat()) {
    case pf24bit:
        for (int j = j0; j < j1; ++j, out += 3)
            std::memcpy(out, in + 3 * cols[j], 3);
        break;
    case pf32bit:
        for (int j = j0; j < j1; ++j, out += 3)
            std::memcpy(out, in + 4 * cols[j], 3);
        break;
    case pf1bit:
        for (int j = j0; j < j1; ++j, out += 3) {
            uint8_t v = (in[cols[j] >> 3] >> (7 - (cols[j] & 7)) & 1) ? 0xFF : 0x00;
            out[0] = out[1] = out[2] = v;
        }
        break;
    }
}
} // namespace

void ComposeNearest(const TBitmap& src, const TRect& source, TBitmap& dst, int left, int top,
                    int targetWidth, int targetHeight) {
    TRect srcRect = source.Intersect({0, 0, src.Width(), src.Height()});
    if (srcRect.IsEmpty() || targetWidth <= 0 || targetHeight <= 0 || dst.Empty() ||
        dst.PixelFormat() != pf24bit)
        return;
    int sw = srcRect.Width(), sh = srcRect.Height();
    int64_t sx = Step(sw, targetWidth), sy = Step(sh, targetHeight);
    // Target columns and rows that land inside dst.
    int j0 = std::max(0, -left),
        j1 = static_cast<int>(std::min<int64_t>(targetWidth, int64_t{dst.Width()} - left));
    int i0 = std::max(0, -top),
        i1 = static_cast<int>(std::min<int64_t>(targetHeight, int64_t{dst.Height()} - top));
    if (j0 >= j1 || i0 >= i1)
        return;
    if (sx == kOne && sy == kOne && src.PixelFormat() == pf24bit) {
        size_t bytes = static_cast<size_t>(std::min(j1, sw) - j0) * 3;
        for (int i = i0; i < std::min(i1, sh); ++i)
            std::memcpy(Row(dst, top + i) + 3 * (left + j0),
                        Row(src, srcRect.Top + i) + 3 * (srcRect.Left + j0), bytes);
        return;
    }
    std::vector<int> cols(static_cast<size_t>(j1));
    for (int j = j0; j < j1; ++j)
        cols[j] = srcRect.Left + static_cast<int>(std::min<int64_t>(sx * j / kOne, sw - 1));
    int lastRow = -1;
    const uint8_t* lastOut = nullptr;
    for (int i = i0; i < i1; ++i) {
        int row = srcRect.Top + static_cast<int>(std::min<int64_t>(sy * i / kOne, sh - 1));
        uint8_t* out = Row(dst, top + i) + 3 * (left + j0);
        size_t bytes = static_cast<size_t>(j1 - j0) * 3;
        if (row == lastRow) {
            // Enlarged rows repeat the row above.
            std::memcpy(out, lastOut, bytes);
            continue;
        }
        SampleRow(src, Row(src, row), out, cols, j0, j1);
        lastRow = row;
        lastOut = out;
    }
}
