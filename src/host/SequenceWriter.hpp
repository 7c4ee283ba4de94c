// Writing a whole sequence: numbered PNG files in a folder, or one animated GIF, WebP, MP4 or
// WebM file.
#pragma once

#include "graphics/Bitmap.hpp"

#include <functional>
#include <memory>
#include <string>

enum class OutputFormat { PngFolder, Gif, Webp, Mp4, Webm };

// The format named by --format (png, gif, webp, mp4, webm) or, when none is named, implied by
// the path: .gif, .webp, .mp4, .webm name a file, a path without an extension or an existing
// folder a PNG folder. Throws std::runtime_error "PATH: unknown extension ...".
OutputFormat ChooseOutputFormat(const std::string& path, const std::string& formatName);

// Checks before a run that the output can be written (creating a PNG folder if needed, or
// checking the folder a file goes into). Throws std::runtime_error "PATH: reason".
void PrepareOutput(const std::string& path, OutputFormat format);

// One file of frames. Every frame has the first frame's size.
class SequenceWriter {
public:
    virtual ~SequenceWriter() = default;
    // Adds a frame held for delayMs milliseconds. Throws MediaError.
    virtual void Add(const TBitmap& frame, int delayMs) = 0;
    // Completes the file and renames it into place, telling percent done of the encoding that
    // happens only now (animations are encoded whole at the end). Throws MediaError.
    virtual void Finish(const std::function<void(int percent)>& progress = {}) = 0;
};

// A writer of the single-file formats (not PngFolder) into path.
std::unique_ptr<SequenceWriter> OpenSequenceWriter(const std::string& path, OutputFormat format);

// The reason refusing a frame of another size than the first one's, or "".
std::string CheckSameSize(const TBitmap& frame, int index, int firstWidth, int firstHeight);
