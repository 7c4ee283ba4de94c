// TBitmap: device-independent pixels owned by the bitmap, in the desktop's DIB layout.
//
// Rows are stored bottom-up (the first row in memory is the bottom row) and each row is padded
// to a multiple of 4 bytes. pf24bit pixels are 3 bytes B, G, R; pf32bit pixels are B, G, R, A
// with A always 0; pf1bit packs one pixel per bit, most significant bit first, 0 black, 1 white.
#pragma once

#include "graphics/Color.hpp"

#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;
class TBitmap;

// Layout of one pixel.
enum TPixelFormat { pf1bit, pf24bit, pf32bit };

// Opaque handle of a bitmap, valid while the bitmap lives.
using HBITMAP = TBitmap*;

// What GetDibSection reports about a bitmap's pixel memory.
struct DIBSECTION {
    uint16_t BitCount = 0; // 1, 24 or 32
    int32_t Width = 0;     // pixels per row
    int32_t Height = 0;    // rows, positive: bottom-up
    int32_t RowStride = 0; // bytes per row including padding
    void* Bits = nullptr;  // first byte of the bottom row
};

// A picture whose pixels live in memory; draw on it through Canvas().
class TBitmap {
public:
    // An empty 0 x 0 bitmap, 24 bits per pixel.
    TBitmap();
    // A white w x h bitmap; negative sizes count as 0. Throws std::length_error above 2 GiB.
    TBitmap(int w, int h, TPixelFormat pf = pf24bit);
    // Copies the pixels; the copy gets its own canvas.
    TBitmap(const TBitmap& other);
    // Takes the pixels, leaving other empty; other keeps its canvas.
    TBitmap(TBitmap&& other) noexcept;
    // Copies the pixels; this bitmap keeps its canvas.
    TBitmap& operator=(const TBitmap& other);
    // Takes the pixels, leaving other empty; this bitmap keeps its canvas.
    TBitmap& operator=(TBitmap&& other) noexcept;
    // Frees the pixels and the canvas.
    ~TBitmap();

    // Pixels per row.
    int Width() const { return width_; }
    // Number of rows.
    int Height() const { return height_; }
    // Changes the width, keeping the height (see SetSize).
    void SetWidth(int w) { SetSize(w, height_); }
    // Changes the height, keeping the width (see SetSize).
    void SetHeight(int h) { SetSize(width_, h); }
    // Resizes; the overlapping top-left content is kept and new pixels are white.
    void SetSize(int w, int h);
    // Layout of the pixels.
    TPixelFormat PixelFormat() const { return format_; }
    // Converts the content to pf; towards 1 bit, pixels of luminance 128 or more become white.
    void SetPixelFormat(TPixelFormat pf);
    // True when the bitmap has no pixel.
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Bytes per row including the padding to a multiple of 4.
    int RowStride() const { return stride_; }
    // First byte of pixel memory (the bottom row); nullptr when empty.
    uint8_t* Bits() { return bits_.empty() ? nullptr : bits_.data(); }
    // First byte of pixel memory (the bottom row); nullptr when empty.
    const uint8_t* Bits() const { return bits_.empty() ? nullptr : bits_.data(); }
    // First byte of row y counted from the top; throws std::out_of_range outside 0..Height()-1.
    uint8_t* ScanLine(int y);
    // First byte of row y counted from the top; throws std::out_of_range outside 0..Height()-1.
    const uint8_t* ScanLine(int y) const;
    // Colour of pixel (x, y) as 0x00BBGGRR; clNone outside the bitmap.
    TColor Pixel(int x, int y) const;
    // Sets pixel (x, y), resolving system colours; ignored outside the bitmap.
    void SetPixel(int x, int y, TColor color);
    // Makes this bitmap a copy of source (size, format and pixels).
    void Assign(const TBitmap& source) { *this = source; }
    // The canvas that draws on this bitmap, made on first use; it stays valid across resizes.
    TCanvas& Canvas();
    // Handle for GetDibSection.
    HBITMAP Handle() { return this; }

private:
    // Replaces the pixels by a white w x h bitmap of format pf.
    void Allocate(int w, int h, TPixelFormat pf);

    int width_ = 0;                   // pixels per row
    int height_ = 0;                  // rows
    int stride_ = 0;                  // bytes per row
    TPixelFormat format_ = pf24bit;   // pixel layout
    std::vector<uint8_t> bits_;       // rows, bottom row first
    std::unique_ptr<TCanvas> canvas_; // made on first use of Canvas()
};

// Bytes per row of a bitmap of the given width and format (rows padded to 4 bytes).
int64_t DibRowStride(int64_t width, TPixelFormat pf);

// Fills out with the layout and pixel memory of bitmap; false for a null handle or an empty bitmap.
bool GetDibSection(HBITMAP bitmap, DIBSECTION* out);

// The canvas comes with the bitmap, so one include serves code that draws through Canvas().
#include "graphics/Canvas.hpp"
