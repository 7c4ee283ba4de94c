// Reading the frames of one file: a still image, an animation or a video.
#pragma once

#include "graphics/Bitmap.hpp"

#include <cstdint>
#include <memory>
#include <string>

class FrameReader {
public:
    virtual ~FrameReader() = default;
    // Decodes the next frame into a 24-bit bitmap with how long it is shown, in milliseconds
    // (0 for a still). False after the last frame. Throws MediaError with the reason.
    virtual bool Next(TBitmap& frame, int& delayMs) = 0;
};

// Opens path by its contents. A frame declaring more than maxPixels pixels is refused before
// it is decoded. Throws MediaError ("cannot open: ...", "not a supported image or video",
// "image too large: ...", "corrupt or truncated ...").
std::unique_ptr<FrameReader> OpenFrameReader(const std::string& path, int64_t maxPixels);

// The reason refusing a w x h frame over maxPixels, or "" when it fits.
std::string CheckFrameSize(int64_t w, int64_t h, int64_t maxPixels);
