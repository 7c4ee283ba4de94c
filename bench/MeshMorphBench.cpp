#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "FrameSink.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshWarp2PassFast.hpp"

namespace {

// Takes the frames and drops them.
class DiscardingSink : public FrameSink {
public:
    // Drops the frame.
    void EmitFrame(const WorkImage&, int64_t) override {}
    // Ignores the step.
    void StepProgress() override {}
};

// A whole 12-frame mesh morph (ten frames of two warps and a dissolve) with a 16 x 12 mesh;
// arguments: width, height, path (reference or fast), one thread, spinner.
void BM_MeshMorphSequence12(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool fast = state.range(2) == kFast;
    const BenchMeshes nodes(width, height, 16, 12);
    BenchMorphImages images(width, height);
    DiscardingSink sink;
    const SequencePath path(fast);
    const BenchConditions conditions(state, 2);
    for (auto _ : state) {
        MeshMorphSequence(nodes.src.data(), nodes.dst.data(), 16, 12, images.Images(), 12, false,
                          false, 1.0, sink);
        benchmark::DoNotOptimize(images.frame.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{width} * height, kMeshWarpParallelPixels);
}

BENCHMARK(BM_MeshMorphSequence12)
    ->ArgNames({"width", "height", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        AddPathCases(bench, {200, 150});
        AddPathCases(bench, {640, 480});
        AddPathCases(bench, {1920, 1080});
    })
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
