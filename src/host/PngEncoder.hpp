// PNG encoding through libpng, tuned for writing many large frames quickly.
#pragma once

#include "graphics/Bitmap.hpp"

#include <cstdint>
#include <string>
#include <vector>

// zlib level and row filter of the host's frames: chosen from measurements on rendered morph
// frames (see README, "Writing frames"): several times faster than the default level with
// files a few percent larger.
inline constexpr int kFramePngLevel = 2;

// The frame as a PNG file (8-bit RGB). Throws MediaError when libpng fails.
std::vector<uint8_t> EncodePng(const TBitmap& frame, int level = kFramePngLevel);

// Writes bytes to a new file at path and flushes it to disk. Throws MediaError.
void WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes);
