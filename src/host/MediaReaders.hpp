// The readers behind OpenFrameReader, one per library.
#pragma once

#include "FrameReader.hpp"

// PNG, JPEG, GIF, TIFF, WebP and HEIF through libvips; animated GIF and WebP frame by frame.
// Null when libvips has no open loader for the file.
std::unique_ptr<FrameReader> OpenVipsReader(const std::string& path, int64_t maxPixels);
// Video files (MP4, MOV, WebM, MKV, AVI) through FFmpeg.
std::unique_ptr<FrameReader> OpenVideoReader(const std::string& path, int64_t maxPixels);
// BMP through the platform's own loader (libvips has none of its own).
std::unique_ptr<FrameReader> OpenBmpReader(const std::string& path, int64_t maxPixels);
