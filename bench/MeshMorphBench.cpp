#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "FrameSink.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshWarp2PassFast.hpp"
#include "MorphSchedule.hpp"
#include "RunMeshes.hpp"

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

// The kernels of the 12-frame mesh morph alone, called directly one after the other: the
// floor the sequence is measured against (the sequence should cost at most 3 % more);
// arguments as BM_MeshMorphSequence12.
void BM_MeshMorphKernels12(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool fast = state.range(2) == kFast;
    const BenchMeshes nodes(width, height, 16, 12);
    BenchMorphImages images(width, height);
    const MorphImages set = images.Images();
    const RunMeshes meshes =
        BuildRunMeshes(nodes.src.data(), nodes.dst.data(), 16, 12, width, height, 1.0);
    MeshGrid mid(meshes.src.cols, meshes.src.rows);
    const MeshMorphKernels kernels = fast ? FastMeshKernels() : ReferenceMeshKernels();
    MeshWarpScratch scratch;
    const MorphSchedule schedule(12, false);
    const BenchConditions conditions(state, 2);
    for (auto _ : state) {
        for (int64_t i = 1; i <= schedule.Count(); ++i) {
            const FrameTime time = schedule.At(i);
            InterpolateMidMesh(meshes.src, meshes.dst, time.s, time.t, mid);
            kernels.warp(set.src, set.frame, meshes.src, mid, false, scratch);
            kernels.warp(set.dst, set.warpedDst, meshes.dst, mid, false, scratch);
            kernels.dissolve(set.frameIpl, set.warpedDstIpl, time.alpha);
        }
        benchmark::DoNotOptimize(images.frame.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{width} * height, kMeshWarpParallelPixels);
}

BENCHMARK(BM_MeshMorphKernels12)
    ->ArgNames({"width", "height", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        AddPathCases(bench, {640, 480});
        AddPathCases(bench, {1920, 1080});
    })
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
