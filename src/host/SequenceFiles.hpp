// Image files in, numbered PNG frames and their delays out.
#pragma once

#include "MultiView.hpp"

#include <cstdint>
#include <string>
#include <vector>

// Bytes a run may need per pixel of one frame: decoding it (surface and its 32-bit copy, 8),
// the frame itself and the copy lent to the module (6), the module's four working images (12)
// and its output bitmap (3), rounded up for headroom.
inline constexpr int64_t kRunBytesPerPixel = 32;

// The most pixels one frame may have: its run must fit in a quarter of physical memory, since
// the sequence holds its other frames beside it. Never above kMaxImagePixels.
int64_t FramePixelLimit();

// Appends one 24-bit frame per file; throws std::runtime_error "FILE: reason" at the first bad
// one. A file declaring more than maxPixels pixels is refused before it is decoded.
void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames,
                int64_t maxPixels = FramePixelLimit());
// Creates dir if needed and checks that files can be written there; throws when not.
void PrepareOutputDir(const std::string& dir);
// Writes frame_NNNN.png per frame and sequence.txt (file name and delay in ms per line).
// All files are written under hidden names first and renamed into place only when every one is
// complete: a failed or interrupted save leaves the previous files (or none), never a partial
// file under a final name. Throws std::runtime_error "FILE: reason".
void SaveFrames(const TMultiView& frames, const std::string& dir);
