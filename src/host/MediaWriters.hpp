// The writers behind OpenSequenceWriter, one per library.
#pragma once

#include "SequenceWriter.hpp"

// Animated GIF (palette by libimagequant, delays in 10 ms steps) or lossless animated WebP,
// through libvips.
std::unique_ptr<SequenceWriter> OpenAnimationWriter(const std::string& path, bool gif);
// MP4 (H.264, yuv420p) or WebM (VP8, yuv420p) through FFmpeg; odd sizes padded to even.
std::unique_ptr<SequenceWriter> OpenVideoWriter(const std::string& path, bool mp4);
