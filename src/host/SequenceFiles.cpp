#include "SequenceFiles.hpp"

#include "FrameReader.hpp"
#include "MediaError.hpp"
#include "PngEncodeQueue.hpp"
#include "graphics/ImageFile.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

int64_t FramePixelLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return kMaxImagePixels;
    const int64_t quarter = static_cast<int64_t>(pages) * pageSize / 4;
    return std::min(quarter / kRunBytesPerPixel, kMaxImagePixels);
}

void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames, int64_t maxPixels,
                const Progress& progress) {
    for (const std::string& path : paths) {
        try {
            const auto reader = OpenFrameReader(path, maxPixels);
            TBitmap frame;
            int delayMs = 0;
            int count = 0;
            while (reader->Next(frame, delayMs)) {
                const int index = frames.AppendImage();
                frames.SetImage(index, frame);
                frames.SetImageDelayTime(index, delayMs);
                ++count;
                if (progress)
                    progress(frames.GetImageCount(), 0);
            }
            if (count == 0)
                throw MediaError("holds no frame");
        } catch (const MediaError& error) {
            throw std::runtime_error(path + ": " + error.what());
        }
    }
}

namespace {

// Files written under a hidden staging name beside their final one. Until Commit renames them
// into place they are removed again, so a failed save leaves the folder as it was.
class StagedFiles {
public:
    explicit StagedFiles(fs::path dir) : dir_(std::move(dir)) {}
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    ~StagedFiles() {
        std::error_code ec;
        for (const auto& [name, staged] : files_)
            fs::remove(staged, ec);
    }

    // Removes what an earlier save that was killed left under staging names (and the encoder's
    // own temporary names beside them).
    static void RemoveLeftovers(const fs::path& dir) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            const std::string name = entry.path().filename().string();
            const bool ours = name.rfind(".frame_", 0) == 0 || name.rfind(".sequence.txt", 0) == 0;
            if (ours && name.find(".new") != std::string::npos && !entry.is_directory(ec))
                fs::remove(entry.path(), ec);
        }
    }

    // Where the file of this final name is written first.
    fs::path Stage(const std::string& name) {
        files_.emplace_back(name, dir_ / ("." + name + ".new"));
        return files_.back().second;
    }

    // Renames every staged file over its final name, in staging order.
    void Commit() {
        for (const auto& [name, staged] : files_) {
            std::error_code ec;
            fs::rename(staged, dir_ / name, ec);
            if (ec)
                throw std::runtime_error((dir_ / name).string() +
                                         ": cannot replace file: " + ec.message());
        }
        files_.clear();
    }

private:
    fs::path dir_;
    std::vector<std::pair<std::string, fs::path>> files_;
};

} // namespace

PngFolderSaver::PngFolderSaver(std::string dir, int framesBefore)
    : dir_(std::move(dir)), tickets_(static_cast<size_t>(std::max(framesBefore, 0)), -1) {
    StagedFiles::RemoveLeftovers(dir_);
    queue_ = std::make_unique<PngEncodeQueue>(dir_);
}

PngFolderSaver::~PngFolderSaver() = default;

void PngFolderSaver::FrameInserted(int index, const TBitmap& frame) {
    index = std::clamp(index, 0, static_cast<int>(tickets_.size()));
    tickets_.insert(tickets_.begin() + index, queue_->Submit(frame));
}

void PngFolderSaver::Save(const TMultiView& frames, const Progress& progress) {
    // Every file is written completely before the first one replaces an old one: a failure or
    // an interruption while writing leaves the previous save untouched, and the renames at the
    // end take moments. The listing goes last, so it never names a frame not yet in place.
    const int count = frames.GetImageCount();
    // Frames encoded ahead are used only while the list still matches what was seen inserted.
    if (tickets_.size() != static_cast<size_t>(count))
        tickets_.assign(static_cast<size_t>(count), -1);
    auto frameName = [](int i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", i);
        return std::string(name);
    };
    StagedFiles staged{fs::path(dir_)};
    std::vector<fs::path> stagedPaths;
    for (int i = 0; i < count; ++i) {
        stagedPaths.push_back(staged.Stage(frameName(i)));
        if (tickets_[i] >= 0)
            continue;
        auto image = frames.GetImage(i);
        if (!image)
            throw std::runtime_error(dir_ + ": frame " + std::to_string(i) + " holds no image");
        tickets_[i] = queue_->Submit(std::move(*image), stagedPaths.back().string());
    }
    std::string listing;
    for (int i = 0; i < count; ++i) {
        const std::string name = frameName(i);
        try {
            const fs::path encoded = queue_->Claim(tickets_[i]);
            if (encoded != stagedPaths[i]) { // encoded ahead under a name of its own
                std::error_code ec;
                fs::rename(encoded, stagedPaths[i], ec);
                if (ec) {
                    fs::remove(encoded, ec);
                    throw MediaError("cannot write: " + ec.message());
                }
            }
        } catch (const MediaError& error) {
            throw std::runtime_error((fs::path(dir_) / name).string() + ": " + error.what());
        }
        listing += std::string(name) + " " + std::to_string(frames.GetImageDelayTime(i)) + "\n";
        if (progress)
            progress(i + 1, count);
    }
    const fs::path listingPath = staged.Stage("sequence.txt");
    {
        std::ofstream out(listingPath, std::ios::binary | std::ios::trunc);
        out << listing;
        out.flush();
        if (!out)
            throw std::runtime_error((fs::path(dir_) / "sequence.txt").string() + ": cannot write");
    }
    staged.Commit();
    tickets_.clear();
}

void SaveSequenceFile(const TMultiView& frames, const std::string& path, OutputFormat format,
                      const Progress& progress) {
    try {
        const auto writer = OpenSequenceWriter(path, format);
        const int count = frames.GetImageCount();
        for (int i = 0; i < count; ++i) {
            const auto image = frames.GetImage(i);
            if (!image)
                throw MediaError("frame " + std::to_string(i) + " holds no image");
            writer->Add(*image, frames.GetImageDelayTime(i));
            if (progress)
                progress(i + 1, count);
        }
        writer->Finish([&](int percent) {
            if (progress)
                progress(percent, 100);
        });
    } catch (const MediaError& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}
