// Reading PNG, JPEG and BMP files into 24-bit bitmaps, and writing bitmaps as PNG files.
#pragma once

#include "graphics/Bitmap.hpp"

#include <cstdint>
#include <string>

// The most pixels LoadImageFile decodes unless asked for fewer: 2^28, a 1 GiB decoding surface.
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

// Reads a PNG, JPEG or BMP file into out as a 24-bit bitmap; pixels with alpha are composited
// over white. The size in the file's header is checked against maxPixels before anything is
// decoded, so a huge declared size costs no memory. On failure returns false, leaves out
// unchanged and puts one reason into error ("cannot open: ...", "cannot read: ...", "not a
// supported image ...", "corrupt or truncated ...", "image too large: ...").
bool LoadImageFile(const std::string& path, TBitmap& out, std::string& error,
                   int64_t maxPixels = kMaxImagePixels);

// Writes bmp (1, 24 or 32 bit; stored as 24-bit RGB) to path as PNG. The data goes to a temporary
// file in the same folder that is renamed over path, so no partial file is ever left; on failure
// returns false with one reason in error.
bool SavePng(const std::string& path, const TBitmap& bmp, std::string& error);
