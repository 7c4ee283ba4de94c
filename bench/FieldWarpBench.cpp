#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include "BenchImages.hpp"
#include "FieldLineSet.hpp"
#include "FieldWarp.hpp"

namespace {

// count lines spread over the image, and the same lines with their ends moved a few pixels.
void MakeLines(int32_t width, int32_t height, int32_t count, FieldLineSet& from, FieldLineSet& to) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int32_t> column(0, width - 1);
    std::uniform_int_distribution<int32_t> row(0, height - 1);
    std::uniform_int_distribution<int32_t> shift(-4, 4);
    from.count = 0;
    to.count = 0;
    while (from.count < count) {
        const Point p{column(random), row(random)};
        const Point q{column(random), row(random)};
        if (std::abs(q.x - p.x) + std::abs(q.y - p.y) < 20) {
            continue; // short lines could collapse when interpolated
        }
        const Point p2{p.x + shift(random), p.y + shift(random)};
        const Point q2{q.x + shift(random), q.y + shift(random)};
        from.lines[from.count++] = FieldLineFromPoints(p, q, height - 1, 1.0);
        to.lines[to.count++] = FieldLineFromPoints(p2, q2, height - 1, 1.0);
    }
}

// One field warp at t = 0.5; arguments: width, height, line count.
void BM_FieldWarp(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    FieldLineSet from;
    FieldLineSet to;
    MakeLines(width, height, static_cast<int32_t>(state.range(2)), from, to);
    const BenchImage src(width, height, 1);
    BenchImage out(width, height, 2);
    for (auto _ : state) {
        FieldWarp(src.image, out.image, from, to, 0.5);
        benchmark::DoNotOptimize(out.pixels.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_FieldWarp)
    ->ArgNames({"width", "height", "lines"})
    ->Args({640, 480, 10})
    ->Args({640, 480, 50})
    ->Args({1920, 1080, 10})
    ->Args({1920, 1080, 50})
    ->Unit(benchmark::kMillisecond);

} // namespace
