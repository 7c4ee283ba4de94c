#include "FrameReader.hpp"

#include "MediaError.hpp"
#include "MediaReaders.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

enum class Container { Bmp, Video, Other };

// What the first bytes say; libvips sniffs the image formats itself.
Container Sniff(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw MediaError(std::string("cannot open: ") + std::strerror(errno));
    char head[16] = {};
    in.read(head, sizeof head);
    const size_t got = static_cast<size_t>(in.gcount());
    if (got >= 2 && head[0] == 'B' && head[1] == 'M')
        return Container::Bmp;
    static constexpr unsigned char kEbml[] = {0x1A, 0x45, 0xDF, 0xA3}; // WebM, Matroska
    if (got >= 4 && std::memcmp(head, kEbml, 4) == 0)
        return Container::Video;
    if (got >= 12 && std::memcmp(head + 4, "ftyp", 4) == 0)
        return Container::Video; // unless libvips claims it first (HEIF, AVIF)
    if (got >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI ", 4) == 0)
        return Container::Video;
    return Container::Other;
}

} // namespace

std::string CheckFrameSize(int64_t w, int64_t h, int64_t maxPixels) {
    if (w > 0 && h > 0 && w <= maxPixels / h)
        return "";
    return "image too large: " + std::to_string(w) + " x " + std::to_string(h) +
           " pixels, more than the " + std::to_string(maxPixels) + " allowed";
}

std::unique_ptr<FrameReader> OpenFrameReader(const std::string& path, int64_t maxPixels) {
    const Container kind = Sniff(path);
    if (kind == Container::Bmp)
        return OpenBmpReader(path, maxPixels);
    if (auto reader = OpenVipsReader(path, maxPixels))
        return reader;
    if (kind == Container::Video)
        return OpenVideoReader(path, maxPixels);
    throw MediaError("not a supported image or video");
}
