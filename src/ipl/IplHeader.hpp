#pragma once

#include <cstdint>
#include <memory>

// Values the header and the composite accept.
inline constexpr int kIplDepth8U = 8;          // one unsigned byte per channel
inline constexpr int kIplDataOrderPixel = 0;   // channels interleaved per pixel
inline constexpr int kIplOriginTopLeft = 0;    // first row in memory is the top row
inline constexpr int kIplOriginBottomLeft = 1; // first row in memory is the bottom row
inline constexpr int kIplAlignDword = 4;       // rows start on 4-byte boundaries
inline constexpr int kIplFreeHeader = 1;       // iplDeallocate: free the header alone

// Describes 8-bit, pixel-interleaved pixels that someone else owns.
struct IplHeader {
    int channels;          // channels per pixel
    int alphaChannel;      // index of the alpha channel, 0 for none
    int depth;             // bits per channel
    char colorModel[4];    // colour model, e.g. "RGB"
    char channelSeq[4];    // channel order in memory, e.g. "BGR"
    int dataOrder;         // kIplDataOrderPixel
    int origin;            // kIplOriginTopLeft or kIplOriginBottomLeft
    int align;             // row alignment in bytes
    int width;             // pixels per row
    int height;            // rows
    int rowStride;         // bytes from one row to the next: channels * width, aligned
    int64_t imageSize;     // rowStride * height
    uint8_t* pixels;       // first byte of the pixel memory; set by the caller
    uint8_t* pixelsOrigin; // the same memory as its owner allocated it; set by the caller
};

// Makes a header for width x height pixels with the given layout and no pixels attached; the
// caller points pixels and pixelsOrigin at the memory. Returns null for a layout the layer does
// not support: channels other than 3, an alpha channel, a depth other than 8U, planar data,
// an unknown origin, an alignment other than 4 or 8, or sizes that are not positive or whose
// row stride would not fit an int.
IplHeader* iplCreateImageHeader(int channels, int alphaChannel, int depth, const char* colorModel,
                                const char* channelSeq, int dataOrder, int origin, int align,
                                int width, int height);

// Frees a header made by iplCreateImageHeader; with kIplFreeHeader it never touches the pixels
// (the layer's headers own none). Other flags free nothing. A null header is ignored.
void iplDeallocate(IplHeader* header, int flag);

// Deleter that lets a std::unique_ptr own a header.
struct IplHeaderDeleter {
    // Frees the header alone.
    void operator()(IplHeader* header) const { iplDeallocate(header, kIplFreeHeader); }
};

// A header owned for its scope.
using IplHeaderPtr = std::unique_ptr<IplHeader, IplHeaderDeleter>;
