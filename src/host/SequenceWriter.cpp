#include "SequenceWriter.hpp"

#include "MediaError.hpp"
#include "MediaWriters.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

struct Named {
    const char* name;
    OutputFormat format;
};
constexpr Named kFormats[] = {{"png", OutputFormat::PngFolder},
                              {"gif", OutputFormat::Gif},
                              {"webp", OutputFormat::Webp},
                              {"mp4", OutputFormat::Mp4},
                              {"webm", OutputFormat::Webm}};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Creates probe in dir and removes it again: the only sure test of writing (root passes any
// permission check).
bool CanWriteIn(const fs::path& dir) {
    const fs::path probe = dir / ".tweenkit-write-test";
    bool ok = static_cast<bool>(std::ofstream(probe));
    std::error_code ec;
    fs::remove(probe, ec);
    return ok;
}

} // namespace

OutputFormat ChooseOutputFormat(const std::string& path, const std::string& formatName) {
    if (!formatName.empty()) {
        for (const Named& f : kFormats)
            if (Lower(formatName) == f.name)
                return f.format;
        throw std::runtime_error("--format " + formatName +
                                 ": unknown format (png, gif, webp, mp4 or webm)");
    }
    std::error_code ec;
    const std::string extension = Lower(fs::path(path).extension().string());
    if (extension.empty() || fs::is_directory(path, ec))
        return OutputFormat::PngFolder;
    for (const Named& f : kFormats)
        if (f.format != OutputFormat::PngFolder && extension == std::string(".") + f.name)
            return f.format;
    throw std::runtime_error(path + ": unknown extension " + extension +
                             " (.gif, .webp, .mp4, .webm, or a folder for PNG files)");
}

void PrepareOutput(const std::string& path, OutputFormat format) {
    std::error_code ec;
    if (format == OutputFormat::PngFolder) {
        fs::create_directories(path, ec);
        if (ec || !fs::is_directory(path))
            throw std::runtime_error(path + ": cannot create the output folder");
        if (!CanWriteIn(path))
            throw std::runtime_error(path + ": the output folder is not writable");
        return;
    }
    if (fs::is_directory(path, ec))
        throw std::runtime_error(path + ": is a folder, not a file");
    fs::path dir = fs::path(path).parent_path();
    if (dir.empty())
        dir = ".";
    if (!fs::is_directory(dir, ec))
        throw std::runtime_error(path + ": the folder " + dir.string() + " does not exist");
    if (!CanWriteIn(dir))
        throw std::runtime_error(path + ": the folder " + dir.string() + " is not writable");
}

std::unique_ptr<SequenceWriter> OpenSequenceWriter(const std::string& path, OutputFormat format) {
    switch (format) {
    case OutputFormat::Gif:
    case OutputFormat::Webp:
        return OpenAnimationWriter(path, format == OutputFormat::Gif);
    case OutputFormat::Mp4:
    case OutputFormat::Webm:
        return OpenVideoWriter(path, format == OutputFormat::Mp4);
    case OutputFormat::PngFolder:
        break;
    }
    throw std::logic_error("a PNG folder has no single-file writer");
}

std::string CheckSameSize(const TBitmap& frame, int index, int firstWidth, int firstHeight) {
    if (frame.Width() == firstWidth && frame.Height() == firstHeight)
        return "";
    return "frame " + std::to_string(index) + " is " + std::to_string(frame.Width()) + " x " +
           std::to_string(frame.Height()) + ", the first frame " + std::to_string(firstWidth) +
           " x " + std::to_string(firstHeight) + ": one file holds frames of one size";
}
