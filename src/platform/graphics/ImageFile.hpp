// Reading PNG, JPEG and BMP files into 24-bit bitmaps, and writing bitmaps as PNG files.
#pragma once

#include "graphics/Bitmap.hpp"

#include <string>

// Reads a PNG, JPEG or BMP file into out as a 24-bit bitmap; pixels with alpha are composited
// over white. On failure returns false, leaves out unchanged and puts one reason into error
// ("cannot open: ...", "cannot read: ...", "not a supported image ...", "corrupt or truncated
// ...").
bool LoadImageFile(const std::string& path, TBitmap& out, std::string& error);

// Writes bmp (1, 24 or 32 bit; stored as 24-bit RGB) to path as PNG. The data goes to a temporary
// file in the same folder that is renamed over path, so no partial file is ever left; on failure
// returns false with one reason in error.
bool SavePng(const std::string& path, const TBitmap& bmp, std::string& error);
