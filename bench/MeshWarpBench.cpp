#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "MeshWarp2Pass.hpp"
#include "RunMeshes.hpp"

namespace {

// One two-pass warp of a 16 x 12 mesh with displaced nodes; arguments: width, height, linear.
void BM_MeshWarp2Pass(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool linear = state.range(2) != 0;
    const BenchMeshes nodes(width, height, 16, 12);
    const RunMeshes meshes =
        BuildRunMeshes(nodes.src.data(), nodes.dst.data(), 16, 12, width, height, 1.0);
    const BenchImage src(width, height, 1);
    BenchImage dst(width, height, 2);
    for (auto _ : state) {
        MeshWarp2Pass(src.image, dst.image, meshes.src, meshes.dst, linear);
        benchmark::DoNotOptimize(dst.pixels.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_MeshWarp2Pass)
    ->ArgNames({"width", "height", "linear"})
    ->Args({640, 480, 1})
    ->Args({640, 480, 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
