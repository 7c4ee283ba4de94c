#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "CrossDissolve.hpp"
#include "IplAlphaCompositeFast.hpp"

namespace {

// One cross-dissolve of two warped images; arguments: width, height, path (reference or
// fast), one thread, spinner.
void BM_CrossDissolve(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool fast = state.range(2) == kFast;
    BenchMorphImages images(width, height);
    const BenchConditions conditions(state, 2);
    for (auto _ : state) {
        if (fast) {
            CrossDissolveFast(images.frameIpl.get(), images.warpedDstIpl.get(), 128);
        } else {
            CrossDissolve(images.frameIpl.get(), images.warpedDstIpl.get(), 128);
        }
        benchmark::DoNotOptimize(images.frame.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{3} * width * height, kCompositeParallelBytes);
}

BENCHMARK(BM_CrossDissolve)
    ->ArgNames({"width", "height", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        AddPathCases(bench, {640, 480});
        AddPathCases(bench, {1920, 1080});
    })
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
