// Image, animation and video files in; numbered PNG frames or one animation or video out.
#pragma once

#include "MultiView.hpp"
#include "SequenceWriter.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Bytes a run may need per pixel of one frame: decoding it (the decoded image and its 8-bit
// copy, up to 8 with alpha; 3 more for a frame being read ahead from a video),
// the frame itself and the copy lent to the module (6), the module's four working images (12)
// and its output bitmap (3), rounded up for headroom.
inline constexpr int64_t kRunBytesPerPixel = 32;

// The most pixels one frame may have: its run must fit in a quarter of physical memory, since
// the sequence holds its other frames beside it. Never above kMaxImagePixels.
int64_t FramePixelLimit();

// Appends the 24-bit frames of each file in order (one for a still image, every frame of an
// animation or video with its delay); throws std::runtime_error "FILE: reason" at the first
// bad one. A frame declaring more than maxPixels pixels is refused before it is decoded.
// Called after each frame read or written, with the frames done and the frames in all (0
// when not known).
using Progress = std::function<void(int done, int count)>;

void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames,
                int64_t maxPixels = FramePixelLimit(), const Progress& progress = {});

class PngEncodeQueue;

// Writes a sequence as DIR/frame_NNNN.png per frame and DIR/sequence.txt (file name and delay
// in ms per line). Frames handed over while the module runs are encoded at once, on every
// core; the rest when saving. All files are written under hidden names first and renamed into
// place only when every one is complete: a failed or interrupted save leaves the previous
// files (or none), never a partial file under a final name.
class PngFolderSaver {
public:
    // dir exists (PrepareOutput); the sequence holds framesBefore frames now.
    PngFolderSaver(std::string dir, int framesBefore);
    ~PngFolderSaver(); // removes the files of frames encoded but not saved
    // A frame was inserted into the sequence at index: starts encoding a copy of it.
    void FrameInserted(int index, const TBitmap& frame);
    // Writes every frame of the sequence. Throws std::runtime_error "FILE: reason".
    void Save(const TMultiView& frames, const Progress& progress = {});
    const std::string& Folder() const { return dir_; }

private:
    std::string dir_;
    std::vector<int> tickets_; // per frame of the sequence: its encoding, or -1
    std::unique_ptr<PngEncodeQueue> queue_;
};

// Writes the sequence as one GIF, WebP, MP4 or WebM file (format not PngFolder), under a
// hidden name first and renamed into place when complete. Throws std::runtime_error
// "PATH: reason".
void SaveSequenceFile(const TMultiView& frames, const std::string& path, OutputFormat format,
                      const Progress& progress = {});
