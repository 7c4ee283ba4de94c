#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "MeshFit.hpp"
#include "MeshNodes.hpp"
#include "WorkImage.hpp"

namespace {

// Smooth value noise: seeded lattice values blended with a smoothstep.
double Noise(double x, double y, uint32_t seed) {
    const auto lattice = [seed](int64_t i, int64_t j) {
        uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u +
                     seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return static_cast<double>((h ^ (h >> 16)) & 1023u) / 1023.0 - 0.5;
    };
    const double fi = std::floor(x);
    const double fj = std::floor(y);
    const double u = (x - fi) * (x - fi) * (3.0 - 2.0 * (x - fi));
    const double v = (y - fj) * (y - fj) * (3.0 - 2.0 * (y - fj));
    const auto i = static_cast<int64_t>(fi);
    const auto j = static_cast<int64_t>(fj);
    return (lattice(i, j) * (1 - u) + lattice(i + 1, j) * u) * (1 - v) +
           (lattice(i, j + 1) * (1 - u) + lattice(i + 1, j + 1) * u) * v;
}

// A textured picture of width x height pixels, shifted by (dx, dy) and turned by angle
// degrees about its centre; the pixels are owned.
struct TexturedFrame {
    TexturedFrame(int32_t width, int32_t height, double dx, double dy, double angle)
        : pixels(static_cast<size_t>(RowStrideFor(width)) * height), image{pixels.data(), width,
                                                                           height,
                                                                           RowStrideFor(width)} {
        const double turn = angle * std::numbers::pi / 180.0;
        const double cx = width / 2.0;
        const double cy = height / 2.0;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const double px = x - dx - cx;
                const double py = y - dy - cy;
                const double sx = std::cos(turn) * px + std::sin(turn) * py + cx;
                const double sy = -std::sin(turn) * px + std::cos(turn) * py + cy;
                for (int32_t b = 0; b < 3; ++b) {
                    const double value = 128.0 + 200.0 * Noise(sx / 20.0, sy / 20.0, 2 * b) +
                                         120.0 * Noise(sx / 6.0, sy / 6.0, 2 * b + 1);
                    PixelFromTop(image, x, y)[b] =
                        static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
                }
            }
        }
    }

    std::vector<uint8_t> pixels;
    WorkImage image;
};

// Stored nodes of the mesh the editor lays over a width x height picture.
std::vector<Point> RegularMesh(int32_t width, int32_t height, int32_t cols, int32_t rows) {
    std::vector<Point> nodes(static_cast<size_t>(kMeshArraySide) * kMeshArraySide, Point{0, 0});
    const int32_t dx = (width + cols) / (cols + 1);
    const int32_t dy = (height + rows) / (rows + 1);
    for (int32_t k = 0; k <= cols + 1; ++k) {
        for (int32_t r = 0; r <= rows + 1; ++r) {
            nodes[MeshNodeIndex(k, r)] = {k <= cols ? k * dx : width - 1,
                                          r <= rows ? r * dy : height - 1};
        }
    }
    return nodes;
}

// One auto-fit of a cols x rows mesh on two neighbouring frames of a clip (the second moved
// by (6.5, 3.2) pixels and turned by one degree); arguments: width, height, cols, rows.
// Reports the share of nodes fitted beside the time.
void BM_FitMeshDestination(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const auto cols = static_cast<int32_t>(state.range(2));
    const auto rows = static_cast<int32_t>(state.range(3));
    const TexturedFrame start(width, height, 0.0, 0.0, 0.0);
    const TexturedFrame final(width, height, 6.5, 3.2, 1.0);
    const std::vector<Point> mesh = RegularMesh(width, height, cols, rows);
    std::vector<Point> fitted(mesh.size());
    FitCount count;
    for (auto _ : state) {
        count = FitMeshDestination(start.image, final.image, mesh.data(), mesh.data(), cols, rows,
                                   fitted.data());
        benchmark::DoNotOptimize(fitted.data());
    }
    state.counters["fitted"] = static_cast<double>(count.fitted) / count.total;
}

BENCHMARK(BM_FitMeshDestination)
    ->ArgNames({"width", "height", "cols", "rows"})
    ->Args({640, 480, 16, 12})
    ->Args({1920, 1080, 48, 27})
    ->Args({1920, 1080, 100, 100})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
