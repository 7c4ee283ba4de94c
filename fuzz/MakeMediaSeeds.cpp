// Writes the seed corpora of the media fuzz targets: small stills, animations and videos made
// with the host's own writers and libvips, and hostile variants of them (cut short, a byte
// run overwritten). Usage: fuzz_make_media_seeds DIR  (writes DIR/vips_load, DIR/video_load)
#include "MediaError.hpp"
#include "SequenceWriter.hpp"
#include "VipsFrames.hpp"
#include "VipsLibrary.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

TBitmap Pattern(int w, int h, int seed) {
    TBitmap frame(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame.SetPixel(x, y, RGB((x * 16 + seed * 40) & 0xFF, (y * 24) & 0xFF, seed * 70));
    return frame;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Spit(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The file itself, cut in half, and with a run of bytes in its middle overwritten.
void WithVariants(const fs::path& path) {
    const std::string bytes = Slurp(path);
    const std::string stem = (path.parent_path() / path.stem()).string();
    Spit(stem + "_cut" + path.extension().string(), bytes.substr(0, bytes.size() / 2));
    std::string damaged = bytes;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 16 && i < damaged.size(); ++i)
        damaged[i] = static_cast<char>(0xA5);
    Spit(stem + "_damaged" + path.extension().string(), damaged);
}

void Sequence(const fs::path& path, OutputFormat format, int frames, int w, int h) {
    auto writer = OpenSequenceWriter(path.string(), format);
    for (int i = 0; i < frames; ++i)
        writer->Add(Pattern(w, h, i), 30 + 20 * i);
    writer->Finish();
    WithVariants(path);
}

void Still(const fs::path& path, VipsImage* image) {
    const int failed = vips_image_write_to_file(image, path.c_str(), nullptr);
    if (failed)
        throw MediaError(path.string() + ": " + VipsReason());
    WithVariants(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_media_seeds DIR\n");
        return 2;
    }
    const fs::path stills = fs::path(argv[1]) / "vips_load",
                   videos = fs::path(argv[1]) / "video_load";
    try {
        fs::create_directories(stills);
        fs::create_directories(videos);
        StartVips();
        VipsRef rgb = VipsFromFrame(Pattern(12, 9, 1));
        for (const char* name : {"still.png", "still.jpg", "still.gif", "still.tif", "still.webp"})
            Still(stills / name, rgb.get());
        VipsRef oriented, fourBands, cmyk, deep, deep16;
        if (vips_copy(rgb.get(), oriented.out(), nullptr) ||
            vips_bandjoin_const1(rgb.get(), fourBands.out(), 40, nullptr) ||
            vips_copy(fourBands.get(), cmyk.out(), "interpretation", VIPS_INTERPRETATION_CMYK,
                      nullptr) ||
            vips_cast(rgb.get(), deep.out(), VIPS_FORMAT_USHORT, nullptr) ||
            vips_copy(deep.get(), deep16.out(), "interpretation", VIPS_INTERPRETATION_RGB16,
                      nullptr))
            throw MediaError(VipsReason());
        vips_image_set_int(oriented.get(), VIPS_META_ORIENTATION, 6);
        Still(stills / "oriented.jpg", oriented.get());
        Still(stills / "cmyk.jpg", cmyk.get());
        Still(stills / "deep16.png", deep16.get());
        Sequence(stills / "animated.gif", OutputFormat::Gif, 3, 10, 8);
        Sequence(stills / "animated.webp", OutputFormat::Webp, 3, 10, 8);
        Sequence(videos / "clip.mp4", OutputFormat::Mp4, 3, 16, 12);
        Sequence(videos / "clip.webm", OutputFormat::Webm, 3, 16, 12);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "fuzz_make_media_seeds: %s\n", failure.what());
        return 1;
    }
    return 0;
}
