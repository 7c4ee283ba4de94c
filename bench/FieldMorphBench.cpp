#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "FieldMorphSequence.hpp"
#include "FieldWarpFast.hpp"
#include "FrameSink.hpp"

namespace {

// Takes the frames and drops them.
class DiscardingSink : public FrameSink {
public:
    // Drops the frame.
    void EmitFrame(const WorkImage&, int64_t) override {}
    // Ignores the step.
    void StepProgress() override {}
};

// A whole 12-frame field morph (ten frames of two warps and a dissolve); arguments: width,
// height, line count, path (reference or fast), one thread, spinner.
void BM_FieldMorphSequence12(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const bool fast = state.range(3) == kFast;
    const BenchFieldPoints points(width, height, static_cast<int32_t>(state.range(2)));
    BenchMorphImages images(width, height);
    DiscardingSink sink;
    const SequencePath path(fast);
    const BenchConditions conditions(state, 3);
    for (auto _ : state) {
        FieldMorphSequence(points.src.data(), points.dst.data(), points.Count(), height - 1,
                           images.Images(), 12, false, 1.0, sink);
        benchmark::DoNotOptimize(images.frame.pixels.data());
        benchmark::ClobberMemory();
    }
    ReportPath(state, fast, int64_t{width} * height * state.range(2), kFieldWarpParallelWork);
}

BENCHMARK(BM_FieldMorphSequence12)
    ->ArgNames({"width", "height", "lines", "fast", "one_thread", "spinner"})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        AddPathCases(bench, {200, 150, 10});
    })
    ->ArgsProduct({{1920}, {1080}, {50}, {kFast}, {0, 1}, {0, 1}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The full-size reference takes about a minute a run: one run.
BENCHMARK(BM_FieldMorphSequence12)
    ->ArgNames({"width", "height", "lines", "fast", "one_thread", "spinner"})
    ->Args({1920, 1080, 50, kReference, 1, 0})
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
