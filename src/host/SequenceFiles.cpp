#include "SequenceFiles.hpp"

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

void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames, int64_t maxPixels) {
    for (const std::string& path : paths) {
        TBitmap image;
        std::string error;
        if (!LoadImageFile(path, image, error, maxPixels))
            throw std::runtime_error(path + ": " + error);
        image.SetPixelFormat(pf24bit);
        int index = frames.AppendImage();
        frames.SetImage(index, image);
    }
}

void PrepareOutputDir(const std::string& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir))
        throw std::runtime_error(dir + ": cannot create the output folder");
    fs::path probe = fs::path(dir) / ".tweenkit-write-test";
    {
        std::ofstream out(probe);
        if (!out)
            throw std::runtime_error(dir + ": the output folder is not writable");
    }
    fs::remove(probe, ec);
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
        for (const std::string& name : names_)
            fs::remove(Staged(name), ec);
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
        names_.push_back(name);
        return Staged(name);
    }

    // Renames every staged file over its final name, in staging order.
    void Commit() {
        for (const std::string& name : names_) {
            std::error_code ec;
            fs::rename(Staged(name), dir_ / name, ec);
            if (ec)
                throw std::runtime_error((dir_ / name).string() +
                                         ": cannot replace file: " + ec.message());
        }
        names_.clear();
    }

private:
    fs::path Staged(const std::string& name) const { return dir_ / ("." + name + ".new"); }

    fs::path dir_;
    std::vector<std::string> names_;
};

} // namespace

void SaveFrames(const TMultiView& frames, const std::string& dir) {
    // Every file is written completely before the first one replaces an old one: a failure or
    // an interruption while writing leaves the previous save untouched, and the renames at the
    // end take moments. The listing goes last, so it never names a frame not yet in place.
    StagedFiles::RemoveLeftovers(dir);
    StagedFiles staged{fs::path(dir)};
    std::string listing;
    for (int i = 0; i < frames.GetImageCount(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", i);
        const auto image = frames.GetImage(i);
        if (!image)
            throw std::runtime_error(std::string(name) + ": the frame holds no image");
        std::string error;
        if (!SavePng(staged.Stage(name).string(), *image, error))
            throw std::runtime_error((fs::path(dir) / name).string() + ": " + error);
        listing += std::string(name) + " " + std::to_string(frames.GetImageDelayTime(i)) + "\n";
    }
    const fs::path listingPath = staged.Stage("sequence.txt");
    {
        std::ofstream out(listingPath, std::ios::binary | std::ios::trunc);
        out << listing;
        out.flush();
        if (!out)
            throw std::runtime_error((fs::path(dir) / "sequence.txt").string() + ": cannot write");
    }
    staged.Commit();
}
