#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "FieldLineSet.hpp"
#include "FieldWarp.hpp"
#include "FieldWarpFast.hpp"

namespace {

// One field warp at t = 0.5; arguments: width, height, line count, path (reference or fast),
// one thread, spinner.
void BM_FieldWarp(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool fast = state.range(3) == kFast;
    const BenchFieldPoints points(width, height, static_cast<int32_t>(state.range(2)));
    FieldLineSet from;
    FieldLineSet to;
    BuildFieldLineSets(points.src.data(), points.dst.data(), points.Count(), height - 1, 1.0, from,
                       to);
    const BenchImage src(width, height, 1);
    BenchImage out(width, height, 2);
    const BenchConditions conditions(state, 3);
    for (auto _ : state) {
        if (fast) {
            FieldWarpFast(src.image, out.image, from, to, 0.5);
        } else {
            FieldWarp(src.image, out.image, from, to, 0.5);
        }
        benchmark::DoNotOptimize(out.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{width} * height * from.count, kFieldWarpParallelWork);
}

// The slow reference of the large cases runs fewer repetitions.
BENCHMARK(BM_FieldWarp)
    ->ArgNames({"width", "height", "lines", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        for (const int64_t lines : {10, 50}) {
            AddPathCases(bench, {640, 480, lines});
        }
    })
    ->ArgsProduct({{1920}, {1080}, {10, 50}, {kFast}, {0, 1}, {0, 1}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_FieldWarp)
    ->ArgNames({"width", "height", "lines", "fast", "one_thread", "spinner"})
    ->ArgsProduct({{1920}, {1080}, {10, 50}, {kReference}, {1}, {0}})
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
