#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "MeshWarp2Pass.hpp"
#include "MeshWarp2PassFast.hpp"
#include "RunMeshes.hpp"

namespace {

// One two-pass warp of a 16 x 12 mesh with displaced nodes; arguments: width, height, linear,
// path (reference or fast), one thread, spinner.
void BM_MeshWarp2Pass(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool linear = state.range(2) != 0;
    const bool fast = state.range(3) == kFast;
    const BenchMeshes nodes(width, height, 16, 12);
    const RunMeshes meshes =
        BuildRunMeshes(nodes.src.data(), nodes.dst.data(), 16, 12, width, height, 1.0);
    const BenchImage src(width, height, 1);
    BenchImage dst(width, height, 2);
    const BenchConditions conditions(state, 3);
    for (auto _ : state) {
        if (fast) {
            MeshWarp2PassFast(src.image, dst.image, meshes.src, meshes.dst, linear);
        } else {
            MeshWarp2Pass(src.image, dst.image, meshes.src, meshes.dst, linear);
        }
        benchmark::DoNotOptimize(dst.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{width} * height, kMeshWarpParallelPixels);
}

BENCHMARK(BM_MeshWarp2Pass)
    ->ArgNames({"width", "height", "linear", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        for (const int64_t linear : {1, 0}) {
            AddPathCases(bench, {640, 480, linear});
            AddPathCases(bench, {1920, 1080, linear});
        }
    })
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
