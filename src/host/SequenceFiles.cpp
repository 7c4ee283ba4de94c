#include "SequenceFiles.hpp"

#include "graphics/ImageFile.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames) {
    for (const std::string& path : paths) {
        TBitmap image;
        std::string error;
        if (!LoadImageFile(path, image, error))
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

void SaveFrames(const TMultiView& frames, const std::string& dir) {
    std::string listing;
    for (int i = 0; i < frames.GetImageCount(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", i);
        const TBitmap* image = frames.GetImage(i);
        if (!image)
            throw std::runtime_error(std::string(name) + ": the frame holds no image");
        std::string error;
        if (!SavePng((fs::path(dir) / name).string(), *image, error))
            throw std::runtime_error(error);
        listing += std::string(name) + " " + std::to_string(frames.GetImageDelayTime(i)) + "\n";
    }
    fs::path target = fs::path(dir) / "sequence.txt";
    fs::path temporary = fs::path(dir) / ".sequence.txt.tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << listing;
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temporary, ec);
            throw std::runtime_error(target.string() + ": cannot write");
        }
    }
    fs::rename(temporary, target);
}
