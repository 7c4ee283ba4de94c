#include <benchmark/benchmark.h>

#include "BenchImages.hpp"
#include "FrameSink.hpp"
#include "MeshMorphSequence.hpp"

namespace {

// Takes the frames and drops them.
class DiscardingSink : public FrameSink {
public:
    // Drops the frame.
    void EmitFrame() override {}
    // Ignores the step.
    void StepProgress() override {}
};

// A whole 12-frame mesh morph (ten frames of two warps and a dissolve) at 640 x 480.
void BM_MeshMorphSequence12(benchmark::State& state) {
    const int32_t width = 640;
    const int32_t height = 480;
    const BenchMeshes nodes(width, height, 16, 12);
    BenchImage src(width, height, 1);
    BenchImage dst(width, height, 2);
    BenchImage frame(width, height, 3);
    BenchImage warpedDst(width, height, 4);
    const IplHeaderPtr frameIpl = BenchHeader(frame);
    const IplHeaderPtr warpedDstIpl = BenchHeader(warpedDst);
    const MorphImages images{src.image,       dst.image,      frame.image,
                             warpedDst.image, frameIpl.get(), warpedDstIpl.get()};
    DiscardingSink sink;
    for (auto _ : state) {
        MeshMorphSequence(nodes.src.data(), nodes.dst.data(), 16, 12, images, 12, false, false, 1.0,
                          sink);
        benchmark::DoNotOptimize(frame.pixels.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_MeshMorphSequence12)->Unit(benchmark::kMillisecond);

} // namespace
