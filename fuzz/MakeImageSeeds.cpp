// Writes the seed corpus of the image-load fuzz target into the folder given: small valid PNG,
// JPEG and BMP files in several layouts, and hostile variants of them (cut short, sizes that
// lie, huge declared sizes with valid checksums). Usage: fuzz_make_image_seeds DIR
#include "graphics/Bitmap.hpp"
#include "graphics/ImageFile.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// An SDL surface of w x h pixels in the given format with a small colour pattern.
SDL_Surface* Pattern(int w, int h, Uint32 format) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            SDL_Rect pixel{x, y, 1, 1};
            SDL_FillRect(surface, &pixel,
                         SDL_MapRGBA(surface->format, static_cast<Uint8>(40 * x),
                                     static_cast<Uint8>(60 * y), static_cast<Uint8>(x ^ y),
                                     static_cast<Uint8>(255 - 30 * x)));
        }
    return surface;
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(Bytes& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * (count - 1 - i)));
}

void PutLittleEndian(Bytes& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A PNG whose header declares w x h, with the header's checksum made to match.
Bytes PngDeclaring(Bytes png, uint32_t w, uint32_t h) {
    PutBigEndian(png, 16, w, 4);
    PutBigEndian(png, 20, h, 4);
    PutBigEndian(png, 29, Crc32(&png[12], 17), 4);
    return png;
}

// A JPEG whose first frame header declares w x h.
Bytes JpegDeclaring(Bytes jpeg, uint16_t w, uint16_t h) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            PutBigEndian(jpeg, i + 5, h, 2);
            PutBigEndian(jpeg, i + 7, w, 2);
            break;
        }
    return jpeg;
}

Bytes Head(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_image_seeds DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    fs::create_directories(dir);
    const fs::path scratch = dir / ".scratch";

    // PNG: RGB as the host saves it, and RGBA with coverage.
    TBitmap rgb(5, 3, pf24bit);
    for (int x = 0; x < 5; ++x)
        rgb.SetPixel(x, x % 3, RGB(50 * x, 255 - 50 * x, 90));
    std::string error;
    SavePng(scratch.string(), rgb, error);
    const Bytes png = ReadFile(scratch);
    SDL_Surface* rgba = Pattern(4, 4, SDL_PIXELFORMAT_RGBA32);
    IMG_SavePNG(rgba, scratch.c_str());
    const Bytes pngAlpha = ReadFile(scratch);

    // JPEG: baseline, from the same pattern.
    SDL_Surface* opaque = Pattern(9, 7, SDL_PIXELFORMAT_RGB888);
    IMG_SaveJPG(opaque, scratch.c_str(), 80);
    const Bytes jpeg = ReadFile(scratch);

    // BMP: 24-bit bottom-up, 32-bit with an alpha mask, 8-bit with a palette.
    SDL_Surface* bgr = SDL_ConvertSurfaceFormat(opaque, SDL_PIXELFORMAT_BGR24, 0);
    SDL_SaveBMP(bgr, scratch.c_str());
    const Bytes bmp24 = ReadFile(scratch);
    SDL_SaveBMP(rgba, scratch.c_str());
    const Bytes bmp32 = ReadFile(scratch);
    SDL_Surface* indexed = SDL_ConvertSurfaceFormat(opaque, SDL_PIXELFORMAT_INDEX8, 0);
    SDL_SaveBMP(indexed, scratch.c_str());
    const Bytes bmp8 = ReadFile(scratch);
    fs::remove(scratch);

    Bytes bmpTopDown = bmp24;
    PutLittleEndian(bmpTopDown, 22, static_cast<uint32_t>(-7), 4);
    Bytes bmpHuge = bmp24;
    PutLittleEndian(bmpHuge, 18, 0x7FFFFFFF, 4);
    PutLittleEndian(bmpHuge, 22, 0x7FFFFFFF, 4);
    Bytes bmpLowestHeight = bmp24;
    PutLittleEndian(bmpLowestHeight, 22, 0x80000000u, 4);
    Bytes bmpWide = bmp24; // declares more pixels per row than the file holds
    PutLittleEndian(bmpWide, 18, 4000, 4);
    Bytes bmpBadOffset = bmp24; // pixel data said to start past the end
    PutLittleEndian(bmpBadOffset, 10, 0xFFFFFF00u, 4);

    const std::pair<const char*, Bytes> seeds[] = {
        {"png_rgb.png", png},
        {"png_alpha.png", pngAlpha},
        {"png_cut_in_header.png", Head(png, 20)},
        {"png_cut_in_data.png", Head(png, png.size() - 16)},
        {"png_huge.png", PngDeclaring(png, 60000, 60000)},
        {"png_widest.png", PngDeclaring(png, 0x7FFFFFFF, 1)},
        {"png_zero.png", PngDeclaring(png, 0, 3)},
        {"png_taller_than_data.png", PngDeclaring(png, 5, 300)},
        {"jpeg_baseline.jpg", jpeg},
        {"jpeg_cut.jpg", Head(jpeg, jpeg.size() / 2)},
        {"jpeg_huge.jpg", JpegDeclaring(jpeg, 65535, 65535)},
        {"jpeg_zero_height.jpg", JpegDeclaring(jpeg, 9, 0)},
        {"jpeg_markers_only.jpg", Head(jpeg, 4)},
        {"bmp_24.bmp", bmp24},
        {"bmp_32_alpha.bmp", bmp32},
        {"bmp_8_palette.bmp", bmp8},
        {"bmp_top_down.bmp", bmpTopDown},
        {"bmp_huge.bmp", bmpHuge},
        {"bmp_lowest_height.bmp", bmpLowestHeight},
        {"bmp_wider_than_data.bmp", bmpWide},
        {"bmp_bad_offset.bmp", bmpBadOffset},
        {"bmp_cut.bmp", Head(bmp24, 40)},
        {"not_an_image.txt", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}},
        {"empty", Bytes{}},
    };
    for (const auto& [name, bytes] : seeds)
        WriteFile(dir / name, bytes);
    SDL_FreeSurface(indexed);
    SDL_FreeSurface(bgr);
    SDL_FreeSurface(opaque);
    SDL_FreeSurface(rgba);
    std::printf("%zu seeds in %s\n", std::size(seeds), dir.c_str());
    return 0;
}
