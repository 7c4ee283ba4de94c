#include "StagedFile.hpp"

#include "MediaError.hpp"

#include <filesystem>

namespace fs = std::filesystem;

StagedFile::StagedFile(const std::string& finalPath) : final_(finalPath) {
    const fs::path path(finalPath);
    staged_ = (path.parent_path() / ("." + path.filename().string() + ".new")).string();
    std::error_code ec;
    fs::remove(staged_, ec);
}

StagedFile::~StagedFile() {
    if (!committed_) {
        std::error_code ec;
        fs::remove(staged_, ec);
    }
}

void StagedFile::Commit() {
    std::error_code ec;
    fs::rename(staged_, final_, ec);
    if (ec)
        throw MediaError("cannot replace file: " + ec.message());
    committed_ = true;
}
