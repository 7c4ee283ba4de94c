#include "GeometryFile.hpp"

#include "GeometryJson.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

GeometryLoad LoadGeometryFile(const std::string& path) {
    GeometryLoad load;
    std::error_code ec;
    if (!fs::exists(path, ec))
        return load;
    load.status = GeometryLoad::Status::Bad;
    if (!fs::is_regular_file(path, ec)) {
        load.reason = "it is not a regular file";
        return load;
    }
    const auto size = fs::file_size(path, ec);
    if (ec || size > kMaxGeometryFileBytes) {
        load.reason = ec ? "its size cannot be read" : "it is larger than 4 MB";
        return load;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        load.reason = std::string("it cannot be read (") + std::strerror(errno) + ")";
        return load;
    }
    try {
        load.record = GeometryFromJson(text);
        load.status = GeometryLoad::Status::Loaded;
    } catch (const GeometryError& error) {
        load.reason = error.what();
    }
    return load;
}

bool SaveGeometryFile(const std::string& path, const GeometryRecord& record, std::string& error) {
    const std::string temporary = path + ".tmp-" + std::to_string(getpid());
    const std::string text = GeometryToJson(record);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    // The rename must not make a file whose bytes are not on the disk yet.
    written = fsync(fileno(file)) == 0 && written;
    if (!written)
        error = std::strerror(errno);
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        written = false;
    }
    if (!written)
        std::remove(temporary.c_str());
    return written;
}

std::optional<std::string> KeepAsBad(const std::string& path) {
    std::error_code ec;
    for (int n = 1; n < 10000; ++n) {
        const std::string kept = path + ".bad-" + std::to_string(n);
        if (fs::exists(kept, ec))
            continue;
        // link then unlink never replaces a file that appeared meanwhile; a file
        // system without hard links gets a rename.
        if (link(path.c_str(), kept.c_str()) == 0) {
            unlink(path.c_str());
            return kept;
        }
        if (errno == EEXIST)
            continue;
        if (std::rename(path.c_str(), kept.c_str()) != 0)
            return std::nullopt;
        return kept;
    }
    return std::nullopt;
}
