#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "WorkImage.hpp"

// A working image that owns its pixels, for tests.
struct OwnedImage {
    // width x height pixels, every byte (padding included) set to fill.
    OwnedImage(int32_t width, int32_t height, uint8_t fill = 0)
        : pixels(static_cast<std::size_t>(RowStrideFor(width)) * height, fill),
          image{pixels.data(), width, height, RowStrideFor(width)} {}
    OwnedImage(const OwnedImage&) = delete;
    OwnedImage& operator=(const OwnedImage&) = delete;

    // Byte b of the pixel in column x, row y from the top.
    uint8_t& At(int32_t x, int32_t y, int32_t b) { return PixelFromTop(image, x, y)[b]; }

    // Sets every pixel byte (not the padding) to a seeded pseudo-random value.
    void FillRandom(uint32_t seed) {
        std::mt19937 random(seed);
        for (int32_t y = 0; y < image.height; ++y) {
            for (int32_t x = 0; x < image.width; ++x) {
                for (int32_t b = 0; b < 3; ++b) {
                    At(x, y, b) = static_cast<uint8_t>(random() & 0xFF);
                }
            }
        }
    }

    std::vector<uint8_t> pixels; // the pixel memory
    WorkImage image;             // description of pixels
};
