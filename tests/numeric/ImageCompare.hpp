#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestImages.hpp"

// Where two images of one geometry first differ, as "pixel (x, y) byte b: a vs b" with y
// counted from the top, or "padding of row y: ..."; empty when every byte of the memory
// (padding included) is equal.
inline std::string FirstDifference(const OwnedImage& expected, const OwnedImage& actual) {
    if (expected.pixels.size() != actual.pixels.size()) {
        return "sizes differ";
    }
    const WorkImage& image = expected.image;
    for (int32_t y = 0; y < image.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(image.height - 1 - y) * image.rowStride;
        for (int32_t i = 0; i < image.rowStride; ++i) {
            const int a = expected.pixels[row + i];
            const int b = actual.pixels[row + i];
            if (a != b) {
                const std::string where =
                    i < 3 * image.width ? "pixel (" + std::to_string(i / 3) + ", " +
                                              std::to_string(y) + ") byte " + std::to_string(i % 3)
                                        : "padding of row " + std::to_string(y);
                return where + ": expected " + std::to_string(a) + ", got " + std::to_string(b);
            }
        }
    }
    return "";
}

// Where two frame lists first differ: the frame index and the first differing byte.
inline std::string FirstFrameDifference(const std::vector<std::vector<uint8_t>>& expected,
                                        const std::vector<std::vector<uint8_t>>& actual) {
    if (expected.size() != actual.size()) {
        return "frame counts differ: " + std::to_string(expected.size()) + " vs " +
               std::to_string(actual.size());
    }
    for (std::size_t f = 0; f < expected.size(); ++f) {
        for (std::size_t i = 0; i < expected[f].size(); ++i) {
            if (expected[f][i] != actual[f][i]) {
                return "frame " + std::to_string(f) + " byte " + std::to_string(i) + ": expected " +
                       std::to_string(expected[f][i]) + ", got " + std::to_string(actual[f][i]);
            }
        }
    }
    return "";
}
