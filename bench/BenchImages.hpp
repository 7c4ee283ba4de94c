#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "IplHeader.hpp"
#include "MorphImages.hpp"
#include "Point.hpp"
#include "WorkImage.hpp"

// A working image that owns seeded pseudo-random pixels.
struct BenchImage {
    // width x height pixels of noise from the seed.
    BenchImage(int32_t width, int32_t height, uint32_t seed)
        : pixels(static_cast<std::size_t>(RowStrideFor(width)) * height), image{
                                                                              pixels.data(), width,
                                                                              height,
                                                                              RowStrideFor(width)} {
        std::mt19937 random(seed);
        for (uint8_t& byte : pixels) {
            byte = static_cast<uint8_t>(random() & 0xFF);
        }
    }
    BenchImage(const BenchImage&) = delete;
    BenchImage& operator=(const BenchImage&) = delete;

    std::vector<uint8_t> pixels; // the pixel memory
    WorkImage image;             // description of pixels
};

// Stored mesh nodes as the editor lays a v x h mesh over the image, with every inner node of
// the destination moved by up to three pixels each way.
struct BenchMeshes {
    // Meshes for a width x height image.
    BenchMeshes(int32_t width, int32_t height, int32_t v, int32_t h)
        : src(102 * 102, Point{0, 0}), dst(src) {
        std::mt19937 random(7);
        std::uniform_int_distribution<int32_t> shift(-3, 3);
        const int32_t dx = (width + v) / (v + 1);
        const int32_t dy = (height + h) / (h + 1);
        for (int32_t k = 0; k <= v + 1; ++k) {
            for (int32_t r = 0; r <= h + 1; ++r) {
                const Point node{k <= v ? k * dx : width - 1, r <= h ? r * dy : height - 1};
                src[k * 102 + r] = node;
                const bool inner = k >= 1 && k <= v && r >= 1 && r <= h;
                dst[k * 102 + r] =
                    inner ? Point{node.x + shift(random), node.y + shift(random)} : node;
            }
        }
    }

    std::vector<Point> src; // source nodes, [c][r] at c * 102 + r
    std::vector<Point> dst; // destination nodes
};

// A header over a bench image, as the working set's dissolve headers are made.
inline IplHeaderPtr BenchHeader(const BenchImage& owned) {
    IplHeaderPtr header(iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR", kIplDataOrderPixel,
                                             kIplOriginBottomLeft, kIplAlignDword,
                                             owned.image.width, owned.image.height));
    header->pixels = owned.image.bits;
    header->pixelsOrigin = owned.image.bits;
    return header;
}
